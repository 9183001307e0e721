#include "rates/HotelReply.h"

#include <QDomDocument>
#include <QLocale>
#include <QXmlStreamReader>
#include <cmath>
#include <iterator>
#include <utility>

namespace tavolin {

namespace {

// The service's replies are a few levels deep; the document model slows down quadratically with depth,
// so a reply nested far deeper is refused before it is built.
constexpr int MaxDepth = 100;

QString notReadable(const QString& why) {
    return QStringLiteral("The hotel service's reply could not be read: %1").arg(why);
}

// The start of a reply, on one line, to show with an error.
QString excerpt(const QString& text) {
    constexpr int Length = 80;
    const QString line = text.simplified();
    return line.size() <= Length ? line : line.left(Length) + QStringLiteral("...");
}

QString localName(const QDomElement& e) {
    const QString tag = e.tagName();
    return tag.mid(tag.lastIndexOf(u':') + 1);
}

// Child element n (from 0); a null element when there are fewer.
QDomElement child(const QDomElement& parent, int n) {
    if (parent.isNull()) return {};
    for (QDomElement c = parent.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (n-- == 0) return c;
    }
    return {};
}

QString textOf(const QDomElement& e) { return e.isNull() ? QString() : e.text().trimmed(); }

// Every element of the document in document order, without recursion.
QList<QDomElement> elementsInOrder(const QDomDocument& doc) {
    QList<QDomElement> out;
    QDomNode n = doc.firstChild();
    while (!n.isNull()) {
        if (n.isElement()) out.append(n.toElement());
        if (n.hasChildNodes()) {
            n = n.firstChild();
            continue;
        }
        while (!n.isNull() && n.nextSibling().isNull()) n = n.parentNode();
        if (!n.isNull()) n = n.nextSibling();
    }
    return out;
}

// The document model keeps attributes unordered, but offers name their rate by position. The attributes
// of each element are read once more in document order and matched to the elements by their position in
// document order.
class OrderedAttributes {
public:
    OrderedAttributes(QList<QDomElement> elements, QList<QXmlStreamAttributes> attributes)
        : elements_(std::move(elements)), attributes_(std::move(attributes)) {
        // Both come from the same text, so they agree; if they ever did not, no attribute is trusted.
        if (elements_.size() != attributes_.size()) attributes_.clear();
    }

    // Attribute n (from 0) of an element, in the order the reply wrote them; empty when there is none.
    QString value(const QDomElement& e, int n) {
        if (e.isNull() || attributes_.isEmpty()) return {};
        // Offers are read in document order, so the search goes on from the last element found.
        const qsizetype count = elements_.size();
        for (qsizetype k = 0; k < count; ++k) {
            const qsizetype i = (cursor_ + k) % count;
            if (elements_[i] == e) {
                cursor_ = i;
                const QXmlStreamAttributes& a = attributes_[i];
                return n < a.size() ? a[n].value().toString() : QString();
            }
        }
        return {};
    }

private:
    QList<QDomElement> elements_;
    QList<QXmlStreamAttributes> attributes_;
    qsizetype cursor_ = 0;
};

// First pass over the text: checks it is XML of a sane depth and keeps each element's attributes in order.
QList<QXmlStreamAttributes> readAttributes(const QString& text) {
    QList<QXmlStreamAttributes> out;
    QXmlStreamReader reader(text);
    reader.setNamespaceProcessing(false);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++depth > MaxDepth) {
                throw HotelServiceError(notReadable(
                    QStringLiteral("its elements are nested more than %1 levels deep.").arg(MaxDepth)));
            }
            out.append(reader.attributes());
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (reader.hasError()) {
        throw HotelServiceError(QStringLiteral("The hotel service's reply is not XML: %1 (line %2, column %3). "
                                               "The reply began: %4")
                                    .arg(reader.errorString())
                                    .arg(reader.lineNumber())
                                    .arg(reader.columnNumber())
                                    .arg(excerpt(text)));
    }
    return out;
}

RoomOffer readOffer(const QDomElement& offer, int number, OrderedAttributes& attributes) {
    const QDomElement rateInfo = child(child(offer, 11), 0);
    RoomOffer o;
    o.rateText = attributes.value(child(rateInfo, 1), 1).trimmed();
    o.roomType = textOf(child(offer, 2));
    o.inventory = textOf(child(rateInfo, 6));
    o.ratePolicy = textOf(child(rateInfo, 2));
    if (o.rateText.isEmpty()) throw HotelServiceError(notReadable(QStringLiteral("offer %1 has no rate.").arg(number)));
    bool ok = false;
    o.rate = QLocale::c().toDouble(o.rateText, &ok);
    if (!ok || !std::isfinite(o.rate)) {
        throw HotelServiceError(
            notReadable(QStringLiteral("the rate \"%1\" of offer %2 is not a number.").arg(o.rateText).arg(number)));
    }
    return o;
}

}  // namespace

HotelReply readHotelReply(const QString& text) {
    if (text.trimmed().isEmpty()) throw HotelServiceError(QStringLiteral("The hotel service sent an empty reply."));
    QList<QXmlStreamAttributes> attributes = readAttributes(text);

    QDomDocument doc;
    QString error;
    int line = 0;
    int column = 0;
    if (!doc.setContent(text, &error, &line, &column)) {
        throw HotelServiceError(QStringLiteral("The hotel service's reply is not XML: %1 (line %2, column %3). "
                                               "The reply began: %4")
                                    .arg(error)
                                    .arg(line)
                                    .arg(column)
                                    .arg(excerpt(text)));
    }
    const QDomElement root = doc.documentElement();
    QList<QDomElement> elements = elementsInOrder(doc);

    HotelReply reply;
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        reply.children.append(localName(c));
    }

    const QDomElement first = root.firstChildElement();
    if (textOf(child(first, 0)) == QStringLiteral("-1")) {
        reply.isError = true;
        reply.errorCategory = textOf(child(first, 2));
        reply.errorMessage = textOf(child(first, 5));
    }

    const std::pair<QString, QString*> named[] = {
        {QStringLiteral("hotelId"), &reply.hotelId},
        {QStringLiteral("name"), &reply.name},
        {QStringLiteral("hotelAddress"), &reply.hotelAddress},
        {QStringLiteral("hotelCity"), &reply.hotelCity},
        {QStringLiteral("hotelStateProvince"), &reply.hotelStateProvince},
        {QStringLiteral("hotelCountry"), &reply.hotelCountry},
        {QStringLiteral("tripAdvisorRating"), &reply.tripAdvisorRating},
        {QStringLiteral("tripAdvisorReviewCount"), &reply.tripAdvisorReviewCount},
        {QStringLiteral("checkInInstructions"), &reply.checkInInstructions},
    };
    bool found[std::size(named)] = {};
    for (const QDomElement& e : elements) {
        const QString n = localName(e);
        for (std::size_t i = 0; i < std::size(named); ++i) {
            if (!found[i] && n == named[i].first) {
                found[i] = true;
                *named[i].second = textOf(e);
            }
        }
    }

    OrderedAttributes ordered(std::move(elements), std::move(attributes));
    int number = 0;
    for (QDomElement c = root.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
        if (localName(c) == QStringLiteral("HotelRoomResponse")) reply.offers.append(readOffer(c, ++number, ordered));
    }
    return reply;
}

}  // namespace tavolin
