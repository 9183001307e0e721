#include <gtest/gtest.h>

#include "TestDatabases.h"
#include "data/DbError.h"
#include "data/Dialect.h"
#include "data/Filter.h"

using namespace tavolin;
using namespace tavolin::test;

namespace {

QString col() { return QStringLiteral("UserIDName"); }

QStringList hostileValues() {
    return {QStringLiteral("O'Brien"),
            QStringLiteral("'; DROP TABLE TUser_Info; --"),
            QStringLiteral("' OR '1'='1"),
            QStringLiteral("back\\slash"),
            QStringLiteral("\\'"),
            QStringLiteral("\\"),
            QStringLiteral("100%"),
            QStringLiteral("%"),
            QStringLiteral("_"),
            QStringLiteral("a_c"),
            QStringLiteral("abc"),
            QStringLiteral("*"),
            QStringLiteral("a*"),
            QString::fromUtf16(u"nul\0byte", 8),
            QString(10000, u'x'),
            QString(9999, u'x'),
            QStringLiteral("Ελληνικά"),
            QStringLiteral("日本語のホテル"),
            QStringLiteral("emoji 🏨"),
            QStringLiteral("True"),
            QStringLiteral("true"),
            QStringLiteral("TRUE"),
            QStringLiteral("trailing"),
            QStringLiteral("trailing "),
            QStringLiteral(" trailing"),
            QStringLiteral("\"double\""),
            QStringLiteral("`tick`"),
            QStringLiteral("line\nbreak")};
}

class Filters : public DatabaseTest {
protected:
    QStringList selected(const Filter& f) {
        QStringList out;
        for (const QVariantMap& r : db().rows(Database::Central, QStringLiteral("TUser_Info"), f))
            out << r.value(col()).toString();
        return out;
    }
    void addNames(const QStringList& names) {
        for (const QString& n : names) db().insert(Database::Central, QStringLiteral("TUser_Info"), {{col(), n}});
    }
};

}  // namespace

TEST_P(Filters, HostileValuesSelectExactlyTheirOwnRowAndNeverChangeTheStatement) {
    const QStringList values = hostileValues();
    addNames(values);
    const TableDef& table = *Catalogue::instance().table(Database::Central, QStringLiteral("TUser_Info"));
    const QString statement = Filter::eq(col(), QStringLiteral("x")).render(Dialect::of(GetParam()), table).sql;
    for (const QString& v : values) {
        EXPECT_EQ(Filter::eq(col(), v).render(Dialect::of(GetParam()), table).sql, statement);
        const QStringList got = selected(Filter::eq(col(), v));
        ASSERT_EQ(got.size(), 1) << v.left(40).toStdString();
        EXPECT_EQ(got.first(), v) << v.left(40).toStdString();
    }
    // Nothing was dropped or widened along the way.
    EXPECT_EQ(db().count(Database::Central, QStringLiteral("TUser_Info")), values.size());
    EXPECT_TRUE(selected(Filter::eq(col(), QStringLiteral("no such user"))).isEmpty());
}

TEST_P(Filters, ComparisonsAreExactAndCaseSensitive) {
    addNames({QStringLiteral("True"), QStringLiteral("true"), QStringLiteral("True "), QStringLiteral("ADMIN"),
              QStringLiteral("admin")});
    EXPECT_EQ(selected(Filter::eq(col(), QStringLiteral("True"))), QStringList{QStringLiteral("True")});
    EXPECT_EQ(selected(Filter::eq(col(), QStringLiteral("admin"))), QStringList{QStringLiteral("admin")});
    EXPECT_EQ(selected(Filter::ne(col(), QStringLiteral("True"))).size(), 4);
    // Only where a filter asks for it is case ignored.
    EXPECT_EQ(selected(Filter::eqNoCase(col(), QStringLiteral("ADMIN"))).size(), 2);
    EXPECT_EQ(selected(Filter::contains(col(), QStringLiteral("dmi"), Qt::CaseInsensitive)).size(), 2);
    EXPECT_EQ(selected(Filter::contains(col(), QStringLiteral("DMI"))), QStringList{QStringLiteral("ADMIN")});
}

TEST_P(Filters, PrefixAndContainsTreatWildcardsAsPlainText) {
    addNames({QStringLiteral("a_c"), QStringLiteral("abc"), QStringLiteral("100%"), QStringLiteral("1000"),
              QStringLiteral("Tr*"), QStringLiteral("Tree"), QStringLiteral("tree")});
    EXPECT_EQ(selected(Filter::startsWith(col(), QStringLiteral("a_"))), QStringList{QStringLiteral("a_c")});
    EXPECT_EQ(selected(Filter::startsWith(col(), QStringLiteral("100%"))), QStringList{QStringLiteral("100%")});
    EXPECT_EQ(selected(Filter::startsWith(col(), QStringLiteral("Tr*"))), QStringList{QStringLiteral("Tr*")});
    EXPECT_EQ(selected(Filter::startsWith(col(), QStringLiteral("Tr"))).size(), 2);
    EXPECT_EQ(selected(Filter::contains(col(), QStringLiteral("%"))), QStringList{QStringLiteral("100%")});
    EXPECT_EQ(selected(Filter::contains(col(), QStringLiteral("_"))), QStringList{QStringLiteral("a_c")});
    EXPECT_EQ(selected(Filter::startsWith(col(), QString())).size(), 7);
}

TEST_P(Filters, DateTextsCompareAsDatesAndFiguresAsNumbers) {
    const QString date = QStringLiteral("BusinessDate");
    const QString occ = QStringLiteral("TodayOcc");
    const struct {
        const char* date;
        const char* occ;
    } rows[] = {{"12/31/2014", "9.50"}, {"01/01/2015", "100.00"}, {"06/30/2015", "95.24"}, {"02/15/2015", "N/A"},
                {"01/01/2016", "0.00"}};
    for (const auto& r : rows)
        db().insert(Database::Corporate, QStringLiteral("TRealRevenue"),
                    {{date, QLatin1String(r.date)}, {occ, QLatin1String(r.occ)}});
    auto dates = [&](const Filter& f) {
        QStringList out;
        for (const QVariantMap& r : db().rows(Database::Corporate, QStringLiteral("TRealRevenue"), f))
            out << r.value(date).toString();
        return out;
    };
    EXPECT_EQ(dates(Filter::dateCompare(date, Filter::Op::Ge, QStringLiteral("01/01/2015")) &&
                    Filter::dateCompare(date, Filter::Op::Le, QStringLiteral("06/30/2015"))),
              (QStringList{"01/01/2015", "06/30/2015", "02/15/2015"}));
    EXPECT_EQ(dates(Filter::dateCompare(date, Filter::Op::Lt, QStringLiteral("01/01/2015"))), QStringList{"12/31/2014"});
    EXPECT_EQ(dates(Filter::eq(date, QStringLiteral("06/30/2015"))), QStringList{"06/30/2015"});
    EXPECT_EQ(dates(Filter::numberCompare(occ, Filter::Op::Ge, 95)), (QStringList{"01/01/2015", "06/30/2015"}));
    EXPECT_THROW(dates(Filter::dateCompare(date, Filter::Op::Ge, QStringLiteral("2015-01-01"))), DbError);
}

TEST_P(Filters, CombinationsReadAsThePartsWriteThem) {
    addNames({QStringLiteral("ADMIN"), QStringLiteral("CLERK"), QStringLiteral("REV")});
    const Filter f = Filter::eq(col(), QStringLiteral("ADMIN")) || Filter::eq(col(), QStringLiteral("REV"));
    EXPECT_EQ(f.text(), "UserIDName = 'ADMIN' OR UserIDName = 'REV'");
    EXPECT_EQ(selected(f).size(), 2);
    EXPECT_EQ(selected(!f), QStringList{QStringLiteral("CLERK")});
    EXPECT_EQ(selected(Filter::in(col(), {QStringLiteral("CLERK"), QStringLiteral("NOBODY")})), QStringList{"CLERK"});
    EXPECT_TRUE(selected(Filter::in(col(), {})).isEmpty());
    EXPECT_EQ(selected(Filter()).size(), 3);
    EXPECT_EQ((Filter::eq(QStringLiteral("UserIDName"), QStringLiteral("ADMIN")) &&
               Filter::eq(QStringLiteral("UserStatus"), QStringLiteral("True")))
                  .text(),
              "UserIDName = 'ADMIN' AND UserStatus = 'True'");
    EXPECT_EQ(((f && Filter::eq(QStringLiteral("UserStatus"), QStringLiteral("True")))).text(),
              "(UserIDName = 'ADMIN' OR UserIDName = 'REV') AND UserStatus = 'True'");
    EXPECT_EQ(Filter::eq(QStringLiteral("CertificateNumber"), 1042).text(), "CertificateNumber = 1042");
    EXPECT_EQ(Filter::eq(col(), QStringLiteral("O'Brien")).text(), "UserIDName = 'O''Brien'");
}

TEST_P(Filters, UnknownColumnsAreRefusedWithTheirName) {
    try {
        selected(Filter::eq(QStringLiteral("UserIDNmae"), QStringLiteral("ADMIN")));
        FAIL() << "an unknown column was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("UserIDNmae"))) << e.text().toStdString();
    }
}

TAVOLIN_ON_EVERY_ENGINE(Filters);
