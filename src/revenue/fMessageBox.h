#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTextEdit>
#include <functional>

namespace tavolin {

// The option chooser of the dashboard's update and rate commands: a message above two choices and
// "CANCEL". It is shown without waiting; the dashboard gives it its caption, lines and choices.
class Tf_MessageBox : public QDialog {
    Q_OBJECT
public:
    explicit Tf_MessageBox(QWidget* parent = nullptr);

    // Caption, the four message lines and the captions of the two choices.
    void setOptions(const QString& caption, const QStringList& lines, const QString& first,
                    const QString& second);

    QTextEdit* MMessage;
    QPushButton* SB0;
    QPushButton* SB1;
    QPushButton* SB2;
    // What each choice does; the window stays open until the action closes it.
    std::function<void()> onFirst;
    std::function<void()> onSecond;

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    bool closedSent_ = false;
};

}  // namespace tavolin
