#include "app/MqttSettingsBox.h"

#include "platform/qt/ContextHelp.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QThread>

namespace {

QLineEdit *field(const QString &name, const QString &placeholder, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    edit->setPlaceholderText(placeholder);
    edit->setClearButtonEnabled(true);
    return edit;
}

}  // namespace

MqttSettingsBox::MqttSettingsBox(QWidget *parent) : QGroupBox(tr("Home Assistant (MQTT)"), parent)
{
    setObjectName(QStringLiteral("mqttSettings"));
    setHelpAnchor(this, QStringLiteral("Home Assistant (MQTT)"));
    broker = field(tr("Broker"), QStringLiteral("mqtt://homeassistant.local"), this);
    broker->setToolTip(tr("mqtt://[user@]host[:port], or mqtts:// for TLS; left empty, the helper is no bridge"));
    user = field(tr("User"), tr("optional"), this);
    password = field(tr("Password"), QString(), this);
    password->setEchoMode(QLineEdit::Password);
    prefix = field(tr("Discovery prefix"), QString::fromLatin1(BridgeSettings::DefaultPrefix), this);
    testButton = new QPushButton(tr("Test Connection"), this);
    result = new QLabel(this);
    result->setWordWrap(true);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *form = new QFormLayout(this);
    form->addRow(tr("Broker:"), broker);
    form->addRow(tr("User:"), user);
    form->addRow(tr("Password:"), password);
    form->addRow(tr("Discovery prefix:"), prefix);
    auto *testRow = new QHBoxLayout();
    testRow->addWidget(testButton);
    testRow->addWidget(result, 1);
    form->addRow(QString(), testRow);
    auto *note = new QLabel(tr("The background helper bridges the modules it sends each night to Home Assistant, "
                               "and restarts to take new settings."),
                            this);
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);
    form->addRow(QString(), note);

    connect(testButton, &QPushButton::clicked, this, [this] { testConnection(); });
    for (QLineEdit *edit : {broker, user, password, prefix})
        connect(edit, &QLineEdit::textEdited, this, [this] { showProblem(); });
}

void MqttSettingsBox::showSettings(const BridgeSettings &settings)
{
    broker->setText(QString::fromStdString(settings.broker));
    user->setText(QString::fromStdString(settings.user));
    password->setText(QString::fromStdString(settings.password));
    prefix->setText(settings.prefix == BridgeSettings::DefaultPrefix ? QString() : QString::fromStdString(settings.prefix));
    showProblem();
}

BridgeSettings MqttSettingsBox::settings() const
{
    BridgeSettings settings;
    settings.broker = broker->text().trimmed().toStdString();
    settings.user = user->text().trimmed().toStdString();
    settings.password = password->text().toStdString();
    if (!prefix->text().trimmed().isEmpty())
        settings.prefix = prefix->text().trimmed().toStdString();
    return settings;
}

void MqttSettingsBox::showProblem()
{
    std::string problem;
    brokerLogin(settings(), &problem);
    result->setForegroundRole(QPalette::WindowText);
    result->setStyleSheet(problem.empty() ? QString() : QStringLiteral("color: #c01c28"));
    result->setText(problem.empty() ? QString() : QString::fromStdString(problem));
}

void MqttSettingsBox::showResult(bool succeeded, const QString &text)
{
    testButton->setEnabled(true);
    result->setStyleSheet(succeeded ? QStringLiteral("color: #26a269") : QStringLiteral("color: #c01c28"));
    result->setText(text);
}

void MqttSettingsBox::testConnection()
{
    std::string problem;
    const std::optional<BrokerLogin> login = brokerLogin(settings(), &problem);
    if (!login) {
        showResult(false, problem.empty() ? tr("Set a broker first.") : QString::fromStdString(problem));
        return;
    }
    testButton->setEnabled(false);
    result->setStyleSheet(QString());
    result->setText(tr("Connecting..."));
    // The try may take seconds; the sheet stays live, and a result for a sheet closed meanwhile
    // is dropped.
    const QPointer<MqttSettingsBox> box(this);
    QThread *thread = QThread::create([box, login = *login] {
        const ConnectionTest test = testBrokerConnection(login, TestSeconds);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [box, test] {
            if (box)
                box->showResult(test.succeeded, QString::fromStdString(test.text));
        }, Qt::QueuedConnection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}
