#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace tavolin::test {

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString text(const QString& file, int first, int last, bool layout) {
    QStringList args;
    if (layout) args << QStringLiteral("-layout");
    if (first > 0) args << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l") << QString::number(last);
    args << QStringLiteral("-enc") << QStringLiteral("UTF-8") << file << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

}  // namespace

QString pdfText(const QString& file, bool layout) { return text(file, 0, 0, layout); }

QString pdfPageText(const QString& file, int page, bool layout) { return text(file, page, page, layout); }

int pdfPageCount(const QString& file) {
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto m = pages.match(run(QStringLiteral("pdfinfo"), {file}));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QSizeF pdfPageSize(const QString& file) {
    static const QRegularExpression size(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption);
    const auto m = size.match(run(QStringLiteral("pdfinfo"), {file}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

}  // namespace tavolin::test
