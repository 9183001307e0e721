#include "rates/Workbook.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include "data/Texts.h"

namespace tavolin {

namespace {

// Bounds that keep a damaged or hostile file from exhausting memory: far above any rate workbook.
constexpr qint64 MaxFileSize = 256LL * 1024 * 1024;
constexpr qint64 MaxPartSize = 256LL * 1024 * 1024;
constexpr qsizetype MaxCells = 8 * 1024 * 1024;

qint64 cellKey(int row, int column) { return qint64(row) * MaxColumns + (column - 1); }

// Thrown while reading; turned into the user's text naming the workbook.
struct Damaged {
    QString detail;
};

// Texts in the package escape characters XML cannot carry as "_xHHHH_".
QString unescape(const QString& s) {
    if (!s.contains(QLatin1String("_x"))) return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'_' && i + 6 < s.size() && s[i + 1] == u'x' && s[i + 6] == u'_') {
            bool ok = false;
            const ushort code = s.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

class Package {
public:
    explicit Package(const QByteArray& bytes) : data_(bytes), buffer_(&data_), zip_(&buffer_) {
        if (!zip_.open(QuaZip::mdUnzip)) throw Damaged{QStringLiteral("it is not a workbook file")};
    }

    // nullopt when the package has no such part.
    std::optional<QByteArray> part(const QString& name) {
        if (name.isEmpty() || !zip_.setCurrentFile(name, QuaZip::csInsensitive)) return std::nullopt;
        QuaZipFile file(&zip_);
        if (!file.open(QIODevice::ReadOnly)) throw damaged(name);
        QByteArray out;
        char chunk[65536];
        for (;;) {
            const qint64 n = file.read(chunk, sizeof chunk);
            if (n < 0) throw damaged(name);
            if (n == 0) break;
            out.append(chunk, n);
            if (out.size() > MaxPartSize) throw Damaged{QStringLiteral("its part \"%1\" is too large").arg(name)};
        }
        file.close();
        if (file.getZipError() != UNZ_OK) throw damaged(name);
        return out;
    }

    static Damaged damaged(const QString& name) {
        return Damaged{QStringLiteral("its part \"%1\" is damaged").arg(name)};
    }

private:
    QByteArray data_;
    QBuffer buffer_;
    QuaZip zip_;
};

void failOnError(const QXmlStreamReader& r, const QString& part) {
    if (r.hasError())
        throw Damaged{QStringLiteral("its part \"%1\" is not valid XML (line %2: %3)")
                          .arg(part)
                          .arg(r.lineNumber())
                          .arg(r.errorString())};
}

// Relationship targets are relative to the folder of the part that names them, or absolute.
QString resolve(const QString& fromPart, const QString& target) {
    if (target.startsWith(u'/')) return QDir::cleanPath(target.mid(1));
    const qsizetype slash = fromPart.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QString() : fromPart.left(slash + 1);
    const QString path = QDir::cleanPath(folder + target);
    return path.startsWith(QLatin1String("..")) || path.startsWith(u'/') ? QString() : path;
}

QString relsOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

struct Relationship {
    QString type;  // the last segment of the type ("officeDocument", "worksheet", "styles")
    QString target;
};

QHash<QString, Relationship> readRelationships(Package& package, const QString& part) {
    QHash<QString, Relationship> out;
    const QString relsPart = relsOf(part);
    const auto xml = package.part(relsPart);
    if (!xml) return out;
    QXmlStreamReader r(*xml);
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement || r.name() != u"Relationship") continue;
        const auto a = r.attributes();
        if (a.value(QLatin1String("TargetMode")).compare(u"External", Qt::CaseInsensitive) == 0) continue;
        const QString type = a.value(QLatin1String("Type")).toString();
        out.insert(a.value(QLatin1String("Id")).toString(),
                   Relationship{type.mid(type.lastIndexOf(u'/') + 1), resolve(part, a.value(QLatin1String("Target")).toString())});
    }
    failOnError(r, relsPart);
    return out;
}

QString firstTarget(const QHash<QString, Relationship>& rels, QStringView type) {
    for (const Relationship& rel : rels)
        if (rel.type == type) return rel.target;
    return QString();
}

// The text of a shared or inline string: plain, or the runs of rich text; phonetic guides left out.
QString readStringItem(QXmlStreamReader& r) {
    QString text;
    int depth = 1;
    while (depth > 0 && !r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (r.name() == u"t") {
                text += r.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (r.name() == u"rPh" || r.name() == u"phoneticPr") {
                r.skipCurrentElement();
            } else {
                ++depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return unescape(text);
}

QStringList readSharedStrings(Package& package, const QString& part) {
    QStringList out;
    const auto xml = part.isEmpty() ? std::nullopt : package.part(part);
    if (!xml) return out;
    QXmlStreamReader r(*xml);
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && r.name() == u"si") out.append(readStringItem(r));
    }
    failOnError(r, part);
    return out;
}

bool isTrue(QStringView v) { return v == u"1" || v.compare(u"true", Qt::CaseInsensitive) == 0; }

QList<NumberFormat> readStyles(Package& package, const QString& part) {
    QList<NumberFormat> out;
    const auto xml = part.isEmpty() ? std::nullopt : package.part(part);
    if (!xml) return out;
    QHash<int, QString> custom;
    QHash<QString, NumberFormat> parsed;
    QXmlStreamReader r(*xml);
    bool inCellXfs = false;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::EndElement && r.name() == u"cellXfs") inCellXfs = false;
        if (token != QXmlStreamReader::StartElement) continue;
        const auto a = r.attributes();
        if (r.name() == u"numFmt") {
            custom.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        } else if (r.name() == u"cellXfs") {
            inCellXfs = true;
        } else if (inCellXfs && r.name() == u"xf") {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            const QString code = custom.contains(id) ? custom.value(id) : NumberFormat::builtInCode(id);
            auto found = parsed.find(code);
            if (found == parsed.end()) found = parsed.insert(code, NumberFormat(code));
            out.append(*found);
        }
    }
    failOnError(r, part);
    return out;
}

double serialOf(const QDateTime& when, bool date1904) {
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    double days = double(epoch.daysTo(when.date()));
    if (!date1904 && days < 61) days -= 1;  // before the program's 29 February 1900
    return days + when.time().msecsSinceStartOfDay() / 86400000.0;
}

}  // namespace

struct Workbook::Data {
    QString name;
    QByteArray bytes;
    bool date1904 = false;
    struct Sheet {
        QString name;
        QString part;
    };
    QList<Sheet> sheets;
    QStringList sharedStrings;
    QList<NumberFormat> styles;
    NumberFormat general;

    const NumberFormat& format(int style) const {
        return style >= 0 && style < styles.size() ? styles[style] : general;
    }
    WorkbookError error(const QString& detail) const {
        return WorkbookError(QStringLiteral("The workbook \"%1\" could not be read: %2.").arg(name, detail));
    }
};

// ---- cells ----

QString columnName(int column) {
    if (column < 1 || column > MaxColumns) return QString();
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26) name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

QString cellName(int row, int column) {
    if (row < 1 || row > MaxRows) return QString();
    const QString col = columnName(column);
    return col.isEmpty() ? QString() : col + QString::number(row);
}

std::optional<CellRef> parseCellName(QStringView name) {
    qsizetype i = 0;
    qint64 column = 0;
    while (i < name.size() && i < 3 && name[i].isLetter() && name[i].toUpper() >= u'A' && name[i].toUpper() <= u'Z')
        column = column * 26 + (name[i++].toUpper().unicode() - u'A' + 1);
    if (i == 0 || i == name.size() || name[i] == u'0') return std::nullopt;
    qint64 row = 0;
    for (; i < name.size(); ++i) {
        if (name[i] < u'0' || name[i] > u'9' || row > MaxRows) return std::nullopt;
        row = row * 10 + (name[i].unicode() - u'0');
    }
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns) return std::nullopt;
    return CellRef{int(row), int(column)};
}

QString CellValue::toText() const {
    switch (type) {
        case Type::Empty:
            return QString();
        case Type::Text:
        case Type::Error:
            return text;
        case Type::Boolean:
            return number != 0 ? QStringLiteral("True") : QStringLiteral("False");
        case Type::Number:
            break;
    }
    if (!dateTime || number < 0) return shortestForm(number);
    const double day = std::floor(number);
    const bool hasTime = std::llround((number - day) * 86400.0) % 86400 != 0;
    const QString code = day == 0 && hasTime ? QStringLiteral("h:mm:ss AM/PM")
                         : hasTime          ? QStringLiteral("m/d/yyyy h:mm:ss AM/PM")
                                            : QStringLiteral("m/d/yyyy");
    return NumberFormat(code).formatNumber(number, date1904);
}

QDateTime CellValue::toDateTime() const {
    if (type != Type::Number) return QDateTime();
    const QDate date = serialDate(number, date1904);
    if (!date.isValid()) return QDateTime();
    const qint64 ms = std::llround((number - std::floor(number)) * 86400000.0);
    return QDateTime(date, QTime(0, 0)).addMSecs(ms);
}

double rateValue(Spreadsheet& sheet, int row, int column) {
    const QString text = sheet.value(row, column).toText();
    if (text.trimmed().isEmpty())
        throw WorkbookError(QStringLiteral("The rate cell %1 is empty.").arg(cellName(row, column)));
    const auto number = parseNumber(text);
    if (!number)
        throw WorkbookError(
            QStringLiteral("The rate cell %1 does not hold a number: \"%2\".").arg(cellName(row, column), text));
    return *number;
}

QString rateText(Spreadsheet& sheet, int row, int column) { return twoDecimals(rateValue(sheet, row, column)); }

// ---- workbook ----

Workbook Workbook::open(const QString& path) {
    QString file = path;
    // Settings keep Windows paths; on other systems "\" is taken as the folder separator.
    if (!QFileInfo(file).isFile() && path.contains(u'\\')) file = QString(path).replace(u'\\', u'/');
    const QFileInfo info(file);
    if (!info.isFile()) throw WorkbookError(QStringLiteral("The workbook \"%1\" was not found.").arg(path));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw WorkbookError(QStringLiteral("The workbook \"%1\" could not be opened: %2.").arg(path, f.errorString()));
    if (f.size() > MaxFileSize)
        throw WorkbookError(QStringLiteral("The workbook \"%1\" could not be read: it is too large.").arg(path));
    return fromBytes(f.readAll(), path);
}

Workbook Workbook::fromBytes(const QByteArray& bytes, const QString& name) {
    auto d = std::make_shared<Data>();
    d->name = name;
    d->bytes = bytes;
    try {
        Package package(bytes);
        QString bookPart = firstTarget(readRelationships(package, QString()), u"officeDocument");
        if (bookPart.isEmpty()) bookPart = QStringLiteral("xl/workbook.xml");
        const auto xml = package.part(bookPart);
        if (!xml) throw Damaged{QStringLiteral("it holds no workbook")};
        const auto rels = readRelationships(package, bookPart);
        QXmlStreamReader r(*xml);
        while (!r.atEnd()) {
            if (r.readNext() != QXmlStreamReader::StartElement) continue;
            const auto a = r.attributes();
            if (r.name() == u"workbookPr") {
                d->date1904 = isTrue(a.value(QLatin1String("date1904")));
            } else if (r.name() == u"sheet") {
                // The relationship id is the "id" attribute of the relationships namespace.
                QString id;
                for (const auto& attr : a)
                    if (attr.name() == u"id" && !attr.namespaceUri().isEmpty()) id = attr.value().toString();
                d->sheets.append(Data::Sheet{a.value(QLatin1String("name")).toString(), rels.value(id).target});
            }
        }
        failOnError(r, bookPart);
        d->sharedStrings = readSharedStrings(package, firstTarget(rels, u"sharedStrings"));
        d->styles = readStyles(package, firstTarget(rels, u"styles"));
    } catch (const Damaged& e) {
        throw d->error(e.detail);
    }
    return Workbook(std::move(d));
}

const QString& Workbook::name() const { return d_->name; }

QStringList Workbook::worksheetNames() const {
    QStringList names;
    for (const Data::Sheet& s : d_->sheets) names.append(s.name);
    return names;
}

bool Workbook::date1904() const { return d_->date1904; }

Worksheet Workbook::worksheet(const QString& name) const {
    const Data::Sheet* entry = nullptr;
    for (const Data::Sheet& s : d_->sheets)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) {
            entry = &s;
            break;
        }
    if (!entry)
        throw WorkbookError(
            QStringLiteral("The workbook \"%1\" has no worksheet named \"%2\".").arg(d_->name, name));
    Worksheet sheet;
    sheet.book_ = d_;
    sheet.name_ = entry->name;
    try {
        Package package(d_->bytes);
        const auto xml = package.part(entry->part);
        if (!xml) throw Damaged{QStringLiteral("the worksheet \"%1\" is missing").arg(entry->name)};
        auto bad = [&](const QString& what) {
            return Damaged{QStringLiteral("the worksheet \"%1\" has %2").arg(entry->name, what)};
        };
        QXmlStreamReader r(*xml);
        int row = 0;
        int column = 0;
        while (!r.atEnd()) {
            if (r.readNext() != QXmlStreamReader::StartElement) continue;
            if (r.name() == u"row") {
                const auto rAttr = r.attributes().value(QLatin1String("r"));
                if (rAttr.isEmpty()) {
                    ++row;
                } else {
                    bool ok = false;
                    row = rAttr.toInt(&ok);
                    if (!ok || row < 1 || row > MaxRows) throw bad(QStringLiteral("an invalid row number"));
                }
                column = 0;
                continue;
            }
            if (r.name() != u"c") continue;
            const auto a = r.attributes();
            const QString ref = a.value(QLatin1String("r")).toString();
            if (ref.isEmpty()) {
                if (row < 1) row = 1;
                ++column;
                if (column > MaxColumns) throw bad(QStringLiteral("a cell past the last column"));
            } else {
                const auto cell = parseCellName(ref);
                if (!cell) throw bad(QStringLiteral("an invalid cell address \"%1\"").arg(ref));
                row = cell->row;
                column = cell->column;
            }
            const QString type = a.value(QLatin1String("t")).toString();
            Worksheet::Cell cell;
            cell.style = a.value(QLatin1String("s")).toInt();
            QString v;
            bool hasValue = false;
            QString inlineText;
            bool hasInline = false;
            while (!r.atEnd()) {
                const auto token = r.readNext();
                if (token == QXmlStreamReader::EndElement && r.name() == u"c") break;
                if (token != QXmlStreamReader::StartElement) continue;
                if (r.name() == u"v") {
                    v = r.readElementText(QXmlStreamReader::IncludeChildElements);
                    hasValue = true;
                } else if (r.name() == u"is") {
                    inlineText = readStringItem(r);
                    hasInline = true;
                } else {
                    r.skipCurrentElement();
                }
            }
            using T = CellValue::Type;
            if (type == u"inlineStr") {
                cell.type = hasInline || hasValue ? T::Text : T::Empty;
                cell.text = hasInline ? inlineText : unescape(v);
            } else if (!hasValue) {
                // A formatted blank, or a formula never calculated.
            } else if (type == u"s") {
                bool ok = false;
                const int index = v.trimmed().toInt(&ok);
                if (!ok || index < 0 || index >= d_->sharedStrings.size())
                    throw bad(QStringLiteral("an invalid shared string in cell %1").arg(cellName(row, column)));
                cell.type = T::Text;
                cell.text = d_->sharedStrings[index];
            } else if (type == u"str") {
                cell.type = T::Text;
                cell.text = unescape(v);
            } else if (type == u"b") {
                cell.type = T::Boolean;
                cell.number = isTrue(v.trimmed()) ? 1 : 0;
            } else if (type == u"e") {
                cell.type = T::Error;
                cell.text = v;
            } else if (type == u"d") {
                const QDateTime when = QDateTime::fromString(v.trimmed(), Qt::ISODateWithMs);
                if (!when.isValid()) throw bad(QStringLiteral("an invalid date in cell %1").arg(cellName(row, column)));
                cell.type = T::Number;
                cell.number = serialOf(when, d_->date1904);
            } else {
                bool ok = false;
                cell.number = v.trimmed().toDouble(&ok);
                if (!ok) throw bad(QStringLiteral("an invalid number in cell %1").arg(cellName(row, column)));
                cell.type = T::Number;
                if (!std::isfinite(cell.number)) {
                    cell.type = T::Error;
                    cell.text = QStringLiteral("#NUM!");
                }
            }
            if (cell.type == T::Empty) continue;
            sheet.cells_.insert(cellKey(row, column), cell);
            if (sheet.cells_.size() > MaxCells) throw bad(QStringLiteral("too many cells"));
        }
        failOnError(r, entry->part);
    } catch (const Damaged& e) {
        throw d_->error(e.detail);
    }
    return sheet;
}

// ---- worksheet ----

const Worksheet::Cell* Worksheet::find(int row, int column) const {
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        throw WorkbookError(QStringLiteral("Row %1, column %2 is outside the worksheet \"%3\".")
                                .arg(row)
                                .arg(column)
                                .arg(name_));
    const auto it = cells_.constFind(cellKey(row, column));
    return it == cells_.constEnd() ? nullptr : &*it;
}

CellValue Worksheet::value(int row, int column) const {
    CellValue v;
    const Cell* cell = find(row, column);
    if (!cell) return v;
    v.type = cell->type;
    v.number = cell->number;
    v.text = cell->text;
    v.date1904 = book_->date1904;
    v.dateTime = cell->type == CellValue::Type::Number && book_->format(cell->style).isDateTime();
    return v;
}

QString Worksheet::text(int row, int column) const {
    const Cell* cell = find(row, column);
    if (!cell) return QString();
    switch (cell->type) {
        case CellValue::Type::Empty:
            return QString();
        case CellValue::Type::Number:
            return book_->format(cell->style).formatNumber(cell->number, book_->date1904);
        case CellValue::Type::Text:
            return book_->format(cell->style).formatText(cell->text);
        case CellValue::Type::Boolean:
            return cell->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        case CellValue::Type::Error:
            return cell->text;
    }
    return QString();
}

CellValue Worksheet::value(const QString& cell) const {
    const auto ref = parseCellName(cell);
    if (!ref) throw WorkbookError(QStringLiteral("\"%1\" is not a cell.").arg(cell));
    return value(ref->row, ref->column);
}

QString Worksheet::text(const QString& cell) const {
    const auto ref = parseCellName(cell);
    if (!ref) throw WorkbookError(QStringLiteral("\"%1\" is not a cell.").arg(cell));
    return text(ref->row, ref->column);
}

QList<CellRef> Worksheet::usedCells() const {
    QList<qint64> keys = cells_.keys();
    std::sort(keys.begin(), keys.end());
    QList<CellRef> out;
    out.reserve(keys.size());
    for (const qint64 key : keys) out.append(CellRef{int(key / MaxColumns), int(key % MaxColumns) + 1});
    return out;
}

// ---- the application ----

void WorkbookReader::start() {
    running_ = true;
    alerts_ = true;
    sheet_.reset();
    book_.reset();
}

void WorkbookReader::openWorkbook(const QString& path) {
    if (!running_) throw WorkbookError(QStringLiteral("The spreadsheet application is not running."));
    sheet_.reset();
    book_.reset();
    book_ = Workbook::open(path);
}

void WorkbookReader::selectWorksheet(const QString& name) {
    if (!book_) throw WorkbookError(QStringLiteral("No workbook is open."));
    sheet_.reset();
    sheet_ = book_->worksheet(name);
}

const Worksheet& WorkbookReader::sheet() const {
    if (!sheet_) throw WorkbookError(QStringLiteral("No worksheet is selected."));
    return *sheet_;
}

CellValue WorkbookReader::value(int row, int column) { return sheet().value(row, column); }

QString WorkbookReader::text(int row, int column) { return sheet().text(row, column); }

void WorkbookReader::quit() {
    running_ = false;
    sheet_.reset();
    book_.reset();
}

}  // namespace tavolin
