#include "revenue/fMessageBox.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tavolin {

Tf_MessageBox::Tf_MessageBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("f_MessageBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(14, 14, 14, 14);
    root->setSpacing(12);
    MMessage = new QTextEdit;
    MMessage->setObjectName(QStringLiteral("MMessage"));
    MMessage->setReadOnly(true);
    MMessage->setFrameShape(QFrame::NoFrame);
    MMessage->viewport()->setAutoFillBackground(false);
    MMessage->setFocusPolicy(Qt::NoFocus);
    QFont bold = MMessage->font();
    bold.setBold(true);
    MMessage->setFont(bold);
    MMessage->setFixedHeight(MMessage->fontMetrics().lineSpacing() * 4 + 16);
    root->addWidget(MMessage);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    SB0 = new QPushButton;
    SB0->setObjectName(QStringLiteral("SB0"));
    SB1 = new QPushButton;
    SB1->setObjectName(QStringLiteral("SB1"));
    SB2 = new QPushButton(QStringLiteral("CANCEL"));
    SB2->setObjectName(QStringLiteral("SB2"));
    for (QPushButton* b : {SB0, SB1, SB2}) {
        b->setMinimumSize(130, 36);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    root->addLayout(buttons);
    connect(SB0, &QPushButton::clicked, this, [this] {
        if (onFirst)
            onFirst();
    });
    connect(SB1, &QPushButton::clicked, this, [this] {
        if (onSecond)
            onSecond();
    });
    connect(SB2, &QPushButton::clicked, this, &QDialog::close);
    setMinimumWidth(460);
}

void Tf_MessageBox::setOptions(const QString& caption, const QStringList& lines, const QString& first,
                               const QString& second) {
    setWindowTitle(caption);
    MMessage->clear();
    // The message reads centred, one line per paragraph.
    for (const QString& line : lines) {
        MMessage->append(line.toHtmlEscaped());
        MMessage->setAlignment(Qt::AlignHCenter);
    }
    SB0->setText(first);
    SB1->setText(second);
}

void Tf_MessageBox::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted() && !closedSent_) {
        closedSent_ = true;
        Q_EMIT closed();
    }
}

void Tf_MessageBox::done(int result) {
    QDialog::done(result);
    if (!closedSent_) {
        closedSent_ = true;
        Q_EMIT closed();
    }
}

}  // namespace tavolin
