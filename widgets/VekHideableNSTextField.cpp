#include "widgets/VekHideableNSTextField.h"

VekHideableNSTextField::VekHideableNSTextField(const QString &text, QWidget *parent) : QLineEdit(text, parent)
{
}

void VekHideableNSTextField::awakeFromNib()
{
    isOut = false;
    originalFrame = geometry();
    superviewWidget = parentWidget();
    // Taken out, the field has no parent to end it: it ends with the view it was taken from.
    if (superviewWidget)
        connect(superviewWidget, &QObject::destroyed, this, [this] {
            if (isOut)
                delete this;
        });
}

void VekHideableNSTextField::hide()
{
    if (isOut)
        return;
    previousKeyView = previousInFocusChain();
    nextKeyView = nextInFocusChain();
    if (previousKeyView && nextKeyView && previousKeyView != this && nextKeyView != this)
        QWidget::setTabOrder(previousKeyView, nextKeyView);
    QWidget::hide();
    setParent(nullptr);
    isOut = true;
}

void VekHideableNSTextField::unHide()
{
    if (!isOut)
        return;
    setParent(superviewWidget);
    setGeometry(originalFrame);
    if (previousKeyView)
        QWidget::setTabOrder(previousKeyView, this);
    if (nextKeyView)
        QWidget::setTabOrder(this, nextKeyView);
    show();
    isOut = false;
}
