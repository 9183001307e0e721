#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "rates/Workbook.h"

using namespace tavolin;

namespace {

const QString Fixtures = QStringLiteral(TAVOLIN_WORKBOOK_FIXTURES);

// rates.xlsx and rates.xlsm were saved by LibreOffice Calc from the same cells (make_fixtures.py).
const QStringList Books = {QStringLiteral("rates.xlsx"), QStringLiteral("rates.xlsm")};

QString fixture(const QString& name) { return Fixtures + u'/' + name; }

template <typename F>
QString errorOf(F&& call) {
    try {
        call();
    } catch (const WorkbookError& e) {
        return e.text();
    }
    ADD_FAILURE() << "no error was raised";
    return {};
}

// A CSV file as LibreOffice writes it: fields separated by commas, quoted when they hold one.
QList<QStringList> readCsv(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    const QString text = QString::fromUtf8(file.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(field);
            field.clear();
        } else if (c == u'\n') {
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!row.isEmpty() || !field.isEmpty()) rows.append(row << field);
    return rows;
}

TEST(Workbook, ShowsEveryCellAsTheSpreadsheetProgramShowsIt) {
    const QStringList sheets = QDir(fixture(QStringLiteral("shown"))).entryList({QStringLiteral("*.csv")});
    ASSERT_EQ(sheets.size(), 4);
    for (const QString& bookName : Books) {
        const Workbook book = Workbook::open(fixture(bookName));
        for (const QString& csv : sheets) {
            const QString name = csv.chopped(4);
            SCOPED_TRACE((bookName + u' ' + name).toStdString());
            const Worksheet sheet = book.worksheet(name);
            const QList<QStringList> shown = readCsv(fixture(QStringLiteral("shown/") + csv));
            int compared = 0;
            for (qsizetype r = 0; r < shown.size(); ++r)
                for (qsizetype c = 0; c < shown[r].size(); ++c) {
                    const QString cell = cellName(int(r + 1), int(c + 1));
                    EXPECT_EQ(sheet.text(cell).toStdString(), shown[r][c].toStdString()) << cell.toStdString();
                    compared += shown[r][c].isEmpty() ? 0 : 1;
                }
            EXPECT_GT(compared, 0);
            // Nothing shows outside the part the program wrote out.
            for (const CellRef& used : sheet.usedCells()) {
                if (used.row > shown.size() || used.column > shown[used.row - 1].size()) {
                    EXPECT_EQ(sheet.text(used.row, used.column), QString())
                        << cellName(used.row, used.column).toStdString();
                }
            }
        }
    }
}

TEST(Workbook, ReadsValuesAsTheAutomationHandsThemOut) {
    using T = CellValue::Type;
    const struct {
        const char* sheet;
        const char* cell;
        T type;
        const char* text;
    } cases[] = {
        {"Rates", "A2", T::Text, "Rate"},                             // shared string
        {"Rates", "B2", T::Number, "99.5"},
        {"Rates", "C2", T::Number, "120"},                            // shown "120.00"
        {"Rates", "D2", T::Number, "199"},                            // formula, cached result
        {"Rates", "E2", T::Text, "135.25"},                           // a number typed as text
        {"Rates", "B1", T::Number, "1/1/2024"},                       // date
        {"Rates", "F1", T::Number, "1/5/2024"},                       // date from a formula
        {"Rates", "F4", T::Number, "1/1/2024 6:00:00 PM"},            // date and time
        {"Rates", "C4", T::Error, "#DIV/0!"},
        {"Rates", "D4", T::Boolean, "False"},
        {"Rates", "D3", T::Empty, ""},                                // formatted, never filled
        {"Rates", "G2", T::Empty, ""},
        {"Formats", "A19", T::Number, "0.333333333333333"},
        {"Formats", "A20", T::Number, "123456789012"},
        {"Formats", "C1", T::Number, "123"},                          // a number in a text-formatted cell
        {"Formats", "C2", T::Text, "00123"},
        {"Formats", "C8", T::Text, "walk-in rate"},                   // formula with a text result
        {"Formats", "C11", T::Error, "#N/A"},
        {"Formats", "C12", T::Boolean, "True"},
        {"Formats", "C13", T::Text, "Ünïcødé & <tags>"},
        {"Formats", "B11", T::Number, "1/1/1900 12:00:00 PM"},        // any date or time format gives a date
        {"Wide", "ZZ1", T::Number, "702"},
        {"Wide", "AAA2", T::Number, "703"},
        {"Wide", "AAB7", T::Number, "88.25"},
        {"Walk Rates 2024", "B1", T::Number, "89.9"},
    };
    for (const QString& bookName : Books) {
        const Workbook book = Workbook::open(fixture(bookName));
        for (const auto& c : cases) {
            SCOPED_TRACE((bookName + u' ' + QLatin1String(c.sheet) + u'!' + QLatin1String(c.cell)).toStdString());
            const CellValue v = book.worksheet(QString::fromUtf8(c.sheet)).value(QString::fromLatin1(c.cell));
            EXPECT_EQ(v.type, c.type);
            EXPECT_EQ(v.toText().toStdString(), c.text);
        }
    }
    const Worksheet rates = Workbook::open(fixture(QStringLiteral("rates.xlsx"))).worksheet(QStringLiteral("Rates"));
    EXPECT_EQ(rates.value(QStringLiteral("F4")).toDateTime(), QDateTime(QDate(2024, 1, 1), QTime(18, 0)));
    EXPECT_FALSE(rates.value(QStringLiteral("B2")).dateTime);
    const QList<CellRef> used = rates.usedCells();
    ASSERT_FALSE(used.isEmpty());
    EXPECT_EQ(cellName(used.first().row, used.first().column), QStringLiteral("A1"));
    EXPECT_EQ(cellName(used.last().row, used.last().column), QStringLiteral("F4"));
}

TEST(Workbook, FindsWorksheetsByNameAndNamesWhatIsMissing) {
    const Workbook book = Workbook::open(fixture(QStringLiteral("rates.xlsm")));
    EXPECT_EQ(book.worksheetNames(), QStringList({QStringLiteral("Rates"), QStringLiteral("Formats"),
                                                  QStringLiteral("Wide"), QStringLiteral("Walk Rates 2024")}));
    EXPECT_FALSE(book.date1904());
    const Worksheet walk = book.worksheet(QStringLiteral("walk rates 2024"));
    EXPECT_EQ(walk.name(), QStringLiteral("Walk Rates 2024"));
    EXPECT_EQ(walk.text(QStringLiteral("A1")), QStringLiteral("79.00"));

    EXPECT_EQ(errorOf([&] { book.worksheet(QStringLiteral("Rates 2025")); }),
              QStringLiteral("The workbook \"%1\" has no worksheet named \"Rates 2025\".").arg(fixture(QStringLiteral("rates.xlsm"))));
    EXPECT_EQ(errorOf([&] { walk.value(0, 1); }), QStringLiteral("Row 0, column 1 is outside the worksheet \"Walk Rates 2024\"."));
    EXPECT_EQ(errorOf([&] { walk.text(1, MaxColumns + 1); }),
              QStringLiteral("Row 1, column 16385 is outside the worksheet \"Walk Rates 2024\"."));
}

TEST(Workbook, RefusesFilesThatAreNoWorkbooks) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    const QString missing = dir.filePath(QStringLiteral("nowhere.xlsx"));
    EXPECT_EQ(errorOf([&] { Workbook::open(missing); }), QStringLiteral("The workbook \"%1\" was not found.").arg(missing));
    EXPECT_EQ(errorOf([&] { Workbook::open(dir.path()); }),
              QStringLiteral("The workbook \"%1\" was not found.").arg(dir.path()));

    const QString text = write(QStringLiteral("rates.xlsx"), "Day,Rate\n1/1/2024,99.50\n");
    EXPECT_EQ(errorOf([&] { Workbook::open(text); }),
              QStringLiteral("The workbook \"%1\" could not be read: it is not a workbook file.").arg(text));
    const QString empty = write(QStringLiteral("empty.xlsx"), QByteArray());
    EXPECT_EQ(errorOf([&] { Workbook::open(empty); }),
              QStringLiteral("The workbook \"%1\" could not be read: it is not a workbook file.").arg(empty));

    // A zip archive that holds no workbook, and one cut short.
    QFile real(fixture(QStringLiteral("rates.xlsx")));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray bytes = real.readAll();
    const QString cut = write(QStringLiteral("cut.xlsx"), bytes.left(bytes.size() / 2));
    EXPECT_TRUE(errorOf([&] { Workbook::open(cut); })
                    .startsWith(QStringLiteral("The workbook \"%1\" could not be read: ").arg(cut)));
}

// The rate loading drives the reader through the application calls, with the settings' Windows path.
TEST(Workbook, LoadsRatesThroughTheApplicationCalls) {
    WorkbookReader excel;
    EXPECT_EQ(errorOf([&] { excel.openWorkbook(fixture(QStringLiteral("rates.xlsx"))); }),
              QStringLiteral("The spreadsheet application is not running."));
    excel.start();
    EXPECT_EQ(errorOf([&] { excel.selectWorksheet(QStringLiteral("Rates")); }), QStringLiteral("No workbook is open."));
    EXPECT_EQ(errorOf([&] { excel.value(1, 1); }), QStringLiteral("No worksheet is selected."));
    const QString windowsPath = Fixtures + QStringLiteral("\\rates.xlsm");
    excel.openWorkbook(windowsPath);
    excel.selectWorksheet(QStringLiteral("Rates"));

    // Row 2 from column B: plain, grouped, formula, text, currency.
    QStringList rates;
    for (int column = 2; column <= 6; ++column) rates.append(rateText(excel, 2, column));
    EXPECT_EQ(rates, QStringList({QStringLiteral("99.50"), QStringLiteral("120.00"), QStringLiteral("199.00"),
                                  QStringLiteral("135.25"), QStringLiteral("1234.50")}));
    EXPECT_DOUBLE_EQ(rateValue(excel, 3, 2), 2);
    // The restriction row: what the cell displays and its value.
    EXPECT_EQ(excel.text(3, 3), QStringLiteral("CTA"));
    EXPECT_EQ(excel.text(3, 4), QString());

    const struct {
        int row;
        int column;
        const char* error;
    } bad[] = {
        {3, 4, "The rate cell D3 is empty."},   // formatted, never filled
        {2, 7, "The rate cell G2 is empty."},   // past the used range
        {4, 5, "The rate cell E4 is empty."},   // a blank typed in
        {4, 2, "The rate cell B4 does not hold a number: \"N/A\"."},
        {4, 3, "The rate cell C4 does not hold a number: \"#DIV/0!\"."},
        {4, 4, "The rate cell D4 does not hold a number: \"False\"."},
        {4, 6, "The rate cell F4 does not hold a number: \"1/1/2024 6:00:00 PM\"."},
        {1, 2, "The rate cell B1 does not hold a number: \"1/1/2024\"."},
    };
    for (const auto& b : bad) EXPECT_EQ(errorOf([&] { rateText(excel, b.row, b.column); }).toStdString(), b.error);

    EXPECT_EQ(errorOf([&] { excel.selectWorksheet(QStringLiteral("Rates 2025")); }),
              QStringLiteral("The workbook \"%1\" has no worksheet named \"Rates 2025\".").arg(windowsPath));
    EXPECT_EQ(errorOf([&] { excel.value(2, 2); }), QStringLiteral("No worksheet is selected."));
    excel.markSaved();
    excel.setDisplayAlerts(false);
    EXPECT_FALSE(excel.displayAlerts());
    excel.quit();
    EXPECT_EQ(errorOf([&] { excel.openWorkbook(windowsPath); }), QStringLiteral("The spreadsheet application is not running."));
    excel.quit();  // twice is harmless
}

}  // namespace
