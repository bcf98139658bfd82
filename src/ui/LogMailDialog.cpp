#include "ui/LogMailDialog.h"

#include "profile/LogParameters.h"
#include "ui/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kLogHelp = 4130;
// Longer names, addresses and subjects are cut when the mail is made.
constexpr int kMaxField = 255;

QLineEdit* Field(const char* name, const std::string& text, QWidget* parent) {
    QLineEdit* edit = NamedEdit(name, QString::fromStdString(text), parent);
    edit->setMaxLength(kMaxField);
    edit->setMinimumWidth(parent->fontMetrics().averageCharWidth() * 36);
    return edit;
}

void AddRow(QFormLayout* form, const QString& caption, QLineEdit* edit) {
    auto* label = new QLabel(caption, edit->parentWidget());
    label->setBuddy(edit);
    form->addRow(label, edit);
}

// An address the server can take at all: one "@" with something before and after it, no blank and no "<>".
bool PlausibleAddress(const QString& address) {
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    return at > 0 && at == address.lastIndexOf(QLatin1Char('@')) && at < address.size() - 1 &&
           !address.contains(QLatin1Char(' ')) && !address.contains(QLatin1Char('<')) &&
           !address.contains(QLatin1Char('>'));
}

} // namespace

TLogMailDlg::TLogMailDlg(cLogParameters& log, QWidget* parent) : QDialog(parent), m_log(log) {
    setObjectName(QStringLiteral("LogMailDlg"));
    setWindowTitle(QStringLiteral("Log: E-Mail"));
    m_server = Field("ServerEdt", log.SmtpServer, this);
    m_server->setToolTip(QStringLiteral("Name oder Adresse des SMTP-Servers, wahlweise mit \":Port\" (sonst 25)"));
    m_senderName = Field("SenderNameEdt", log.SenderName, this);
    m_senderAddress = Field("SenderAddressEdt", log.SenderAddress, this);
    const std::array<const std::string*, 3> names = {&log.Recipient1Name, &log.Recipient2Name, &log.Recipient3Name};
    const std::array<const std::string*, 3> addresses = {&log.Recipient1Address, &log.Recipient2Address,
                                                         &log.Recipient3Address};
    const char* nameObjects[] = {"Name1Edt", "Name2Edt", "Name3Edt"};
    const char* addressObjects[] = {"Address1Edt", "Address2Edt", "Address3Edt"};
    for (std::size_t i = 0; i < 3; ++i) {
        m_names[i] = Field(nameObjects[i], *names[i], this);
        m_addresses[i] = Field(addressObjects[i], *addresses[i], this);
    }
    m_subject = Field("SubjectEdt", log.SubjectPrefix, this);
    m_attachment = NamedCheck("AttachmentChk", QStringLiteral("Als A&nhang verschicken"), log.AsAttachment, this);
    m_problem = ProblemLabel("ProblemLbl", this);

    auto* server = new QFormLayout;
    AddRow(server, QStringLiteral("&SMTP-Server:"), m_server);
    auto* sender = new QGroupBox(QStringLiteral("Absender"), this);
    auto* senderForm = new QFormLayout(sender);
    AddRow(senderForm, QStringLiteral("Na&me:"), m_senderName);
    AddRow(senderForm, QStringLiteral("A&dresse:"), m_senderAddress);
    auto* recipients = new QGroupBox(QStringLiteral("Empfänger"), this);
    auto* recipientForm = new QFormLayout(recipients);
    for (std::size_t i = 0; i < 3; ++i) {
        AddRow(recipientForm, QStringLiteral("Name &%1:").arg(i + 1), m_names[i]);
        AddRow(recipientForm, QStringLiteral("Adresse %1:").arg(i + 1), m_addresses[i]);
    }
    auto* subject = new QFormLayout;
    AddRow(subject, QStringLiteral("&Betreff-Präfix:"), m_subject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(server);
    layout->addWidget(sender);
    layout->addWidget(recipients);
    layout->addLayout(subject);
    layout->addWidget(m_attachment);
    layout->addWidget(m_problem);
    layout->addWidget(OkCancelHelp(this, kLogHelp));
}

QString TLogMailDlg::Problem() const {
    const auto bad = [](const QLineEdit* edit) {
        const QString address = edit->text().trimmed();
        return !address.isEmpty() && !PlausibleAddress(address);
    };
    if (bad(m_senderAddress))
        return QStringLiteral("Die Adresse des Absenders ist keine E-Mail-Adresse (name@beispiel.de).");
    for (std::size_t i = 0; i < m_addresses.size(); ++i)
        if (bad(m_addresses[i]))
            return QStringLiteral("Adresse %1 ist keine E-Mail-Adresse (name@beispiel.de).").arg(i + 1);
    const bool anyAddress = !m_addresses[0]->text().trimmed().isEmpty() ||
                            !m_addresses[1]->text().trimmed().isEmpty() || !m_addresses[2]->text().trimmed().isEmpty();
    if (anyAddress && m_addresses[0]->text().trimmed().isEmpty())
        return QStringLiteral("Das Log geht immer an Empfänger 1: bitte geben Sie Adresse 1 an.");
    if (anyAddress && m_server->text().trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie den SMTP-Server an, über den das Log verschickt wird.");
    return {};
}

void TLogMailDlg::accept() {
    if (!ShowProblem(m_problem, Problem())) return;
    const auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    m_log.SmtpServer = text(m_server);
    m_log.SenderName = text(m_senderName);
    m_log.SenderAddress = text(m_senderAddress);
    std::string* names[] = {&m_log.Recipient1Name, &m_log.Recipient2Name, &m_log.Recipient3Name};
    std::string* addresses[] = {&m_log.Recipient1Address, &m_log.Recipient2Address, &m_log.Recipient3Address};
    for (std::size_t i = 0; i < 3; ++i) {
        *names[i] = text(m_names[i]);
        *addresses[i] = text(m_addresses[i]);
    }
    m_log.SubjectPrefix = m_subject->text().toStdString();
    m_log.AsAttachment = m_attachment->isChecked();
    QDialog::accept();
}

} // namespace ui
