#pragma once

#include <QSizeF>
#include <QString>

namespace tavolin::test {

// The text of a PDF file as pdftotext reads it (as a user would search or copy it), pages separated by form
// feeds; empty when the file has no text or cannot be read. `layout` keeps the physical layout
// (the cells of a table row stay on one line).
QString pdfText(const QString& file, bool layout = false);
// The text of one page (1-based).
QString pdfPageText(const QString& file, int page, bool layout = false);
// The number of pages, from pdfinfo; 0 when the file is no PDF.
int pdfPageCount(const QString& file);
// The size of the first page in points (Letter portrait is 612 x 792); empty when the file is no PDF.
QSizeF pdfPageSize(const QString& file);

}  // namespace tavolin::test
