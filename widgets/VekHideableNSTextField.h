#pragma once

#include <QLineEdit>
#include <QPointer>

// A text field that can take itself out of its window and put itself back where it was, with
// the keyboard loop closed around it while it is out.
class VekHideableNSTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit VekHideableNSTextField(const QString &text = {}, QWidget *parent = nullptr);

    // Remembers the frame and the view that holds the field, once it is laid out.
    void awakeFromNib();
    void hide();
    void unHide();
    bool hidden() const { return isOut; }

private:
    bool isOut = false;
    QRect originalFrame;
    QPointer<QWidget> superviewWidget;
    QPointer<QWidget> previousKeyView;
    QPointer<QWidget> nextKeyView;
};
