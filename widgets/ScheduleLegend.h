#pragma once

#include <QWidget>

// What the Schedule's picture shows, in one line of small swatches drawn with its own colours.
class ScheduleLegend : public QWidget {
    Q_OBJECT
public:
    explicit ScheduleLegend(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
