#include "reports/RecordingReportEngine.h"

#include <QDir>

namespace tavolin {

QList<QMap<QString, QString>> RecordingReportEngine::Output::rows(const QString& dataset) const {
    QList<QMap<QString, QString>> out;
    const auto it = datasets.constFind(dataset);
    if (it == datasets.cend()) return out;
    for (const QStringList& row : it->rows) {
        QMap<QString, QString> r;
        for (int c = 0; c < it->columns.size(); ++c) r.insert(it->columns[c], row[c]);
        out << r;
    }
    return out;
}

RecordingReportEngine::RecordingReportEngine(QString outputFolder, QStringList templateFolders)
    : HtmlReportEngine(std::move(templateFolders)), folder_(std::move(outputFolder)) {}

bool RecordingReportEngine::loadFromFile(const QString& name) {
    loaded << name;
    return HtmlReportEngine::loadFromFile(name);
}

RecordingReportEngine::Output RecordingReportEngine::produce(Kind kind, const QString& file) {
    const ReportData data = snapshot();
    const RenderedReport report = renderReport(data);
    Output out;
    out.kind = kind;
    out.templateName = data.templateName;
    out.templateFile = data.templateFile;
    out.datasets = data.datasets;
    out.values = data.values;
    out.pdfFile = file.isEmpty() ? QDir(folder_).filePath(QStringLiteral("%1-%2.pdf")
                                                              .arg(outputs.size() + 1, 3, 10, QLatin1Char('0'))
                                                              .arg(report.title.isEmpty() ? QStringLiteral("report")
                                                                                          : report.title))
                                 : file;
    out.pages = writePdf(report, out.pdfFile);
    outputs << out;
    return out;
}

void RecordingReportEngine::showPreview() { produce(Kind::Preview, {}); }

bool RecordingReportEngine::print() {
    if (!acceptPrint) return false;
    produce(Kind::Print, {});
    return true;
}

bool RecordingReportEngine::exportToPdf(const QString& file) { return produce(Kind::Pdf, file).pages > 0; }

QStringList RecordingReportEngine::shownTemplates() const {
    QStringList names;
    for (const Output& o : outputs) names << o.templateName;
    return names;
}

}  // namespace tavolin
