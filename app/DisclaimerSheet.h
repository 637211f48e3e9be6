#pragma once

#include <QDialog>

class QPushButton;

// The disclaimer the user accepts once before using the application.
class DisclaimerSheet : public QDialog {
    Q_OBJECT
public:
    explicit DisclaimerSheet(QWidget *parent = nullptr);

    QPushButton *acceptButton;
    QPushButton *declineButton;
};
