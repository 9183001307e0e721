#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>

#include "rates/NumberFormat.h"

namespace tavolin {

// A workbook that cannot be opened or read, a worksheet that is not there, a cell that does not hold
// what the caller needs. The text is meant for the user.
class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// A cell's value as the spreadsheet program hands it out.
struct CellValue {
    enum class Type { Empty, Number, Text, Boolean, Error };
    Type type = Type::Empty;
    // Numbers; dates and times are numbers too (days since the workbook's epoch). Booleans: 1 or 0.
    double number = 0;
    // Text cells; the code of an error cell ("#DIV/0!", "#N/A").
    QString text;
    // A number shown with a date or time format, and the workbook's date system.
    bool dateTime = false;
    bool date1904 = false;

    bool isEmpty() const { return type == Type::Empty; }
    // The value converted to text as the program's automation converts it: numbers in their shortest
    // form ("99.5"), dates "m/d/yyyy" (with " h:mm:ss AM/PM" when there is a time), booleans "True" and
    // "False", texts as they are, errors their code.
    QString toText() const;
    // The date and time of a date value; invalid when the value is no date the calendar knows.
    QDateTime toDateTime() const;
};

// "A" for column 1, "XFD" for column 16384; empty outside the worksheet.
QString columnName(int column);
// "B7"; empty outside the worksheet.
QString cellName(int row, int column);
// Row and column (both counted from 1) of a cell name such as "A1" or "XFD1048576", upper or lower case.
struct CellRef {
    int row = 0;
    int column = 0;
};
std::optional<CellRef> parseCellName(QStringView name);

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

// The spreadsheet application as the rate loading drives it, one call per automation step: start it,
// open a workbook, select a worksheet by name, read a cell's value and its displayed text, mark the
// workbook saved, switch alerts off, quit. Rows and columns are counted from 1 (column A = 1).
// Failing calls throw WorkbookError. Tests script their own.
class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;
    virtual void start() = 0;
    virtual void openWorkbook(const QString& path) = 0;
    virtual void selectWorksheet(const QString& name) = 0;
    virtual CellValue value(int row, int column) = 0;
    virtual QString text(int row, int column) = 0;
    virtual void markSaved() = 0;
    virtual void setDisplayAlerts(bool on) = 0;
    // Closes the workbook without saving; harmless when nothing is open or the application never started.
    virtual void quit() = 0;
};

// The rate of a cell as the rate loading takes it: the cell's value converted to text and read as a
// number. Throws WorkbookError naming the cell when it is empty or holds no number.
double rateValue(Spreadsheet& sheet, int row, int column);
// The same rate written with two decimals ("%.2f").
QString rateText(Spreadsheet& sheet, int row, int column);

class Worksheet;

// An Office Open XML workbook (.xlsx, .xlsm): its worksheets found by name through workbook.xml and its
// relationships, shared strings, number formats and date system. Nothing is ever written back.
class Workbook {
public:
    // Throws WorkbookError for a missing or unreadable file. `path` may use "\" as folder separator.
    static Workbook open(const QString& path);
    // A workbook held in memory; `name` stands for the file in error texts.
    static Workbook fromBytes(const QByteArray& bytes, const QString& name = QStringLiteral("workbook"));

    const QString& name() const;
    QStringList worksheetNames() const;
    bool date1904() const;
    // Found by name regardless of case, as the program finds them. Throws WorkbookError when there is no
    // such worksheet or it cannot be read.
    Worksheet worksheet(const QString& name) const;

    struct Data;

private:
    explicit Workbook(std::shared_ptr<const Data> data) : d_(std::move(data)) {}
    std::shared_ptr<const Data> d_;
};

class Worksheet {
public:
    const QString& name() const { return name_; }
    // Outside the worksheet's rows or columns: WorkbookError.
    CellValue value(int row, int column) const;
    // The text the program displays for the cell, with its number format.
    QString text(int row, int column) const;
    CellValue value(const QString& cell) const;
    QString text(const QString& cell) const;
    // The cells that hold something, row by row.
    QList<CellRef> usedCells() const;

    struct Cell {
        CellValue::Type type = CellValue::Type::Empty;
        double number = 0;
        QString text;
        int style = 0;
    };

private:
    friend class Workbook;
    const Cell* find(int row, int column) const;
    std::shared_ptr<const Workbook::Data> book_;
    QString name_;
    QHash<qint64, Cell> cells_;
};

// The spreadsheet application of the program: reads the workbook files itself.
class WorkbookReader : public Spreadsheet {
public:
    void start() override;
    void openWorkbook(const QString& path) override;
    void selectWorksheet(const QString& name) override;
    CellValue value(int row, int column) override;
    QString text(int row, int column) override;
    void markSaved() override {}
    void setDisplayAlerts(bool on) override { alerts_ = on; }
    void quit() override;

    bool displayAlerts() const { return alerts_; }

private:
    const Worksheet& sheet() const;
    bool running_ = false;
    bool alerts_ = true;
    std::optional<Workbook> book_;
    std::optional<Worksheet> sheet_;
};

}  // namespace tavolin
