#include "widgets/VekHideableNSTextField.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(VekHideableNSTextField, HidingClosesTheKeyboardLoopAndShowingRestoresItAndTheFrame)
{
    QWidget window;
    window.resize(300, 120);
    auto *first = new QLineEdit(&window);
    auto *warning = new VekHideableNSTextField(QStringLiteral("No day is chosen."), &window);
    auto *last = new QLineEdit(&window);
    first->setGeometry(10, 10, 100, 24);
    warning->setGeometry(10, 40, 200, 24);
    last->setGeometry(10, 70, 100, 24);
    QWidget::setTabOrder(first, warning);
    QWidget::setTabOrder(warning, last);
    window.show();
    warning->awakeFromNib();

    warning->hide();
    warning->hide();
    EXPECT_TRUE(warning->hidden());
    EXPECT_EQ(warning->parentWidget(), nullptr);
    EXPECT_EQ(first->nextInFocusChain(), last);

    window.resize(500, 300);
    warning->setGeometry(0, 0, 5, 5);
    warning->unHide();
    warning->unHide();
    EXPECT_FALSE(warning->hidden());
    EXPECT_EQ(warning->parentWidget(), &window);
    EXPECT_EQ(warning->geometry(), QRect(10, 40, 200, 24)) << "the frame from loading";
    EXPECT_EQ(first->nextInFocusChain(), warning);
    EXPECT_EQ(warning->nextInFocusChain(), last);
}
