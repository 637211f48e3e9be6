#include "app/WidgetMap.h"

#include "widgets/OutlineModel.h"
#include "widgets/SchedulePicture.h"
#include "widgets/VekNSOutlineView.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>
#include <QSlider>
#include <QSocketNotifier>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTextStream>
#include <QWindow>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int requestPipe[2] = {-1, -1};

void requestMap(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(requestPipe[1], &byte, 1);
}

QString labelOf(const QWidget *widget)
{
    QString label;
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        label = button->text();
    else if (const auto *text = qobject_cast<const QLabel *>(widget))
        label = text->text();
    if (label.isEmpty())
        label = widget->accessibleName();
    if (label.isEmpty())
        label = widget->objectName();
    return label.remove(QLatin1Char('&')).replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString rectText(const QRect &rect)
{
    return QStringLiteral("%1\t%2\t%3\t%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QString valueOf(const QWidget *widget)
{
    if (const auto *box = qobject_cast<const QAbstractButton *>(widget); box && box->isCheckable())
        return box->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        return field->text();
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return spin->text();
    if (const auto *popup = qobject_cast<const QComboBox *>(widget))
        return popup->currentText();
    if (const auto *browser = qobject_cast<const QTextBrowser *>(widget))
        return browser->source().toString();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(widget))
        return text->toPlainText().replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    if (const auto *slider = qobject_cast<const QSlider *>(widget))
        return QString::number(slider->value());
    return widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

// The visible rows of an outline, each with its row number, selection and first column's text.
void writeRows(QTextStream &out, const QString &window, const VekNSOutlineView *outline)
{
    const QWidget *viewport = outline->viewport();
    const int first = outline->header()->logicalIndex(0);
    for (QModelIndex index = outline->indexAt(QPoint(1, 1)); index.isValid(); index = outline->indexBelow(index)) {
        QRect rect = outline->visualRect(index.siblingAtColumn(first));
        if (rect.top() > viewport->height())
            break;
        rect.setLeft(0);
        rect.setWidth(viewport->width());
        rect.moveTopLeft(viewport->mapToGlobal(rect.topLeft()));
        const int row = outline->rowForItem(outline->outlineModel()->itemOf(index));
        out << window << "\trow\t" << row << '\t' << rectText(rect) << '\t'
            << (outline->isRowSelected(row) ? "selected" : "unselected") << '\t'
            << index.siblingAtColumn(0).data().toString() << '\n';
    }
    const QPoint dragAt = viewport->mapToGlobal(outline->dragPosition());
    out << window << "\tdragged\t" << dragAt.x() << '\t' << dragAt.y() << '\n';
    if (!outline->dropTargetRect().isNull()) {
        QRect target = outline->dropTargetRect();
        target.moveTopLeft(viewport->mapToGlobal(target.topLeft()));
        out << window << "\tdrop\t" << (outline->dropTargetIsRow() ? "onto" : "between") << '\t' << rectText(target) << '\n';
    }
}

// The marks of a schedule's picture: the module and event of each, and where it is drawn.
void writeMarks(QTextStream &out, const QString &window, const SchedulePicture *picture)
{
    for (const ScheduleMark &mark : picture->day().marks) {
        const QPoint at = picture->mapToGlobal(picture->markCentre(mark));
        out << window << "\tmark\t" << mark.module << '\t' << mark.event << '\t' << at.x() << '\t' << at.y() << '\n';
    }
}

// A menu item's text as it is shown: "&&" an ampersand, a single "&" the mark of the mnemonic.
QString withoutMnemonic(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// The items of an open menu, each with whether it can be chosen and whether it carries a check.
void writeMenuItems(QTextStream &out, const QMenu *menu)
{
    for (const QAction *item : menu->actions())
        if (!item->isSeparator())
            out << "\titem\t" << withoutMnemonic(item->text()) << '\t' << (item->isEnabled() ? "enabled" : "disabled")
                << '\t' << (item->isChecked() ? "checked" : "unchecked") << '\n';
}

void writeMap(const QString &path, int serial)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << "serial\t" << serial << '\n';
    const QWidget *active = QApplication::activeWindow();
    out << "active\t" << (active ? active->windowTitle().remove(QStringLiteral("[*]")) : QString()) << '\n';
    const QWindow *modal = QGuiApplication::modalWindow();
    out << "modal\t" << (modal ? modal->title() + '\t' + modal->objectName() : QString()) << '\n';
    const QWidget *focus = QApplication::focusWidget();
    out << "focus\t" << (focus ? QString::fromLatin1(focus->metaObject()->className()) + '\t' + labelOf(focus) : QString())
        << '\n';
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        const QString window = top->windowTitle().remove(QStringLiteral("[*]"));
        out << window << "\twindow\t" << labelOf(top) << '\t' << rectText(top->frameGeometry()) << '\n';
        if (const auto *menu = qobject_cast<const QMenu *>(top))
            writeMenuItems(out, menu);
        for (QWidget *widget : top->findChildren<QWidget *>()) {
            if (!widget->isVisible() || widget->window() != top)
                continue;
            const QRect rect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
            out << window << '\t' << widget->metaObject()->className() << '\t' << labelOf(widget) << '\t' << rectText(rect)
                << '\t' << valueOf(widget) << '\n';
            if (const auto *outline = qobject_cast<const VekNSOutlineView *>(widget))
                writeRows(out, window, outline);
            if (const auto *picture = qobject_cast<const SchedulePicture *>(widget))
                writeMarks(out, window, picture);
        }
    }
    out.flush();
    file.commit();
}

}  // namespace

void installWidgetMapOnRequest(QObject *owner)
{
    const QString path = qEnvironmentVariable("TAVORIN_WIDGET_MAP");
    if (path.isEmpty() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, requestPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(requestPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [path] {
        static int serial = 0;
        char bytes[64];
        while (read(requestPipe[0], bytes, sizeof bytes) > 0) {
        }
        writeMap(path, ++serial);
    });
    std::signal(SIGUSR1, requestMap);
}
