#pragma once

#include <QDialog>

class Messages;
class QPushButton;
class QBoxLayout;

// Common frame of the small settings dialogs: a form on the left and a column or
// row of buttons, with the keyboard order starting at "OK" so the dialog opens
// with the focus there. Refusals go through the messages interface.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(Messages& messages, const QString& title, QWidget* parent);

    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    // Puts the buttons (OK, extra..., Cancel) beside or under the form and fixes the
    // tab order: buttons first, then the boxes in the order given.
    void arrange(QLayout* form, const QList<QPushButton*>& extraButtons,
                 const QList<QWidget*>& boxes, Qt::Orientation buttonsBeside);
    void showEvent(QShowEvent* event) override;
    // Called by "OK": reads and checks the boxes, accepts when everything passes.
    virtual void onOk() = 0;

    Messages& messages_;

private:
    QPushButton* ok_;
    QPushButton* cancel_;
};
