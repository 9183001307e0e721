#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <cstdint>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include "rates/Workbook.h"

// Two kinds of input:
// - a file that starts like a zip archive ("PK") is taken as the workbook file itself;
// - anything else is the text of the package's parts, separated by a line "%%%%", in the order of
//   PartNames, and is packed here into a stored (uncompressed) archive. Mutating deflated parts
//   rarely gives the XML readers anything new; this way the fuzzer edits the XML itself.
// fuzz/workbook/split_seeds.py turns workbook files into seeds of the second kind.

namespace {

const char* const PartNames[] = {
    "[Content_Types].xml", "_rels/.rels",        "xl/workbook.xml",     "xl/_rels/workbook.xml.rels",
    "xl/styles.xml",       "xl/sharedStrings.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml",
};

QByteArray pack(const QByteArray& input) {
    QByteArray zipped;
    QBuffer buffer(&zipped);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate)) return QByteArray();
    QList<QByteArray> pieces;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = input.indexOf("\n%%%%\n", from);
        if (at < 0) {
            pieces.append(input.mid(from));
            break;
        }
        pieces.append(input.mid(from, at - from));
        from = at + 6;
    }
    const qsizetype count = std::min<qsizetype>(pieces.size(), qsizetype(std::size(PartNames)));
    for (qsizetype i = 0; i < count; ++i) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(QString::fromLatin1(PartNames[i])), nullptr, 0, 0, 0))
            return QByteArray();
        file.write(pieces[i]);
        file.close();
    }
    zip.close();
    return zipped;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray bytes = input.startsWith("PK") ? input : pack(input);
    try {
        const tavolin::Workbook book = tavolin::Workbook::fromBytes(bytes);
        for (const QString& name : book.worksheetNames()) {
            try {
                const tavolin::Worksheet sheet = book.worksheet(name);
                for (const tavolin::CellRef& cell : sheet.usedCells()) {
                    const tavolin::CellValue value = sheet.value(cell.row, cell.column);
                    (void)value.toText();
                    (void)value.toDateTime();
                    (void)sheet.text(cell.row, cell.column);
                }
            } catch (const tavolin::WorkbookError& e) {
                if (e.text().isEmpty()) __builtin_trap();
            }
        }
    } catch (const tavolin::WorkbookError& e) {
        if (e.text().isEmpty()) __builtin_trap();  // the user is always told what is wrong
    }
    return 0;
}
