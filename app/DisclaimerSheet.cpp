#include "app/DisclaimerSheet.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

DisclaimerSheet::DisclaimerSheet(QWidget *parent) : QDialog(parent, Qt::Sheet)
{
    setObjectName(QStringLiteral("disclaimer"));
    setWindowTitle(tr("Disclaimer"));
    auto *text = new QTextBrowser(this);
    QFile resource(QStringLiteral(":/disclaimer.html"));
    if (resource.open(QIODevice::ReadOnly))
        text->setHtml(QString::fromUtf8(resource.readAll()));
    text->setMinimumSize(460, 260);
    acceptButton = new QPushButton(tr("Accept"), this);
    declineButton = new QPushButton(tr("Decline"), this);
    acceptButton->setDefault(true);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(declineButton);
    buttons->addWidget(acceptButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    connect(acceptButton, &QPushButton::clicked, this, [this] { done(1); });
    connect(declineButton, &QPushButton::clicked, this, [this] { done(0); });
}
