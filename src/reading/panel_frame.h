#pragma once

#include <QFrame>
#include <QPointer>

#include <QPushButton>

// A side panel of the left column with a default button: Enter or Return
// pressed anywhere in the panel presses it, as in a dialog (a plain frame
// has no default button of its own).
class PanelFrame : public QFrame {
    Q_OBJECT
public:
    explicit PanelFrame(const QString& objectName, QWidget* parent = nullptr);

    void setDefaultButton(QPushButton* button);
    QPushButton* defaultButton() const { return default_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QPushButton> default_;
};
