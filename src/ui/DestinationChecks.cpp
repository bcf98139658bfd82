#include "ui/DestinationChecks.h"

#include "destinations/PathNames.h"
#include "messages/UserMessage.h"
#include "platform/Socket.h"
#include "profile/Variables.h"
#include "ui/DialogParts.h"
#include "ui/WindowBoxes.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace ui {

namespace {

struct cNameRule {
    bool (*Valid)(std::string_view);
    int ValidMessage; // the invalid message follows it
    const char* Missing;
    const char* Invalid;
};

const cNameRule& RuleOf(eDestinationName name) {
    static const cNameRule kRules[] = {
        {IsValidDrive, 30001, "Bitte geben Sie das Laufwerk des Ziels an, zum Beispiel /media/usb.",
         "„%1“ ist kein gültiges Laufwerk: erwartet wird ein absolutes Verzeichnis wie /media/usb (oder ein "
         "Laufwerk wie D: bzw. \\\\Computer\\Freigabe, das unter \"Drives\" zugeordnet ist)."},
        {IsValidDirectory, 30003, "",
         "„%1“ ist kein gültiges Verzeichnis: es beginnt und endet mit \\, enthält kein \\\\ und keins dieser "
         "Zeichen: / : * ? \" < | >"},
        {IsValidArchiveName, 30009, "Bitte geben Sie den Namen des Archivs an.",
         "„%1“ ist kein gültiger Archivname: ein Dateiname, der auf .zip endet, ohne diese Zeichen: "
         "\\ / : * ? \" < > |"},
        {[](std::string_view text) { return IsValidServerName(text) || platform::IsNumericAddress(text); }, 30011,
         "Bitte geben Sie den FTP-Server an.",
         "„%1“ ist kein gültiger Servername: ein Name aus Buchstaben, Ziffern, Bindestrichen und Punkten, der mit "
         "einem Buchstaben beginnt, oder eine IP-Adresse."},
    };
    return kRules[static_cast<int>(name)];
}

} // namespace

void CheckDestinationName(QWidget* parent, const cWarningSettings& warnings, eDestinationName name,
                          const std::string& text) {
    const cNameRule& rule = RuleOf(name);
    const std::string expanded = ExpandVariables(text);
    cWindowBoxes boxes(parent);
    cMessageArgs args;
    args.Text1 = expanded;
    (void)UserMessage(boxes, warnings, rule.Valid(expanded) ? rule.ValidMessage : rule.ValidMessage + 1, args);
}

std::string NormalizedName(eDestinationName name, const std::string& typed) {
    switch (name) {
    case eDestinationName::Drive:
        return NormalizeDrive(typed);
    case eDestinationName::Directory:
        return NormalizeDirectory(typed);
    case eDestinationName::Archive:
        return NormalizeArchiveName(typed);
    case eDestinationName::Server:
        return NormalizeServer(typed);
    }
    return typed;
}

QString DestinationNameProblem(eDestinationName name, const std::string& typed) {
    const cNameRule& rule = RuleOf(name);
    const std::string normalised = NormalizedName(name, typed);
    if (normalised.empty() && *rule.Missing != '\0') return QString::fromUtf8(rule.Missing);
    if (rule.Valid(ExpandVariables(normalised))) return {};
    return QString::fromUtf8(rule.Invalid).arg(QString::fromStdString(ExpandVariables(typed)));
}

cNameRow AddNameRow(QGridLayout* grid, int row, const QString& caption, QWidget* field, const char* browseName,
                    const char* checkName, const char* problemName) {
    QWidget* owner = grid->parentWidget();
    cNameRow result;
    result.Caption = new QLabel(caption, owner);
    result.Caption->setBuddy(field);
    result.Edit = qobject_cast<QLineEdit*>(field);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 36);
    grid->addWidget(result.Caption, row, 0);
    grid->addWidget(field, row, 1);
    if (browseName) {
        result.Browse = new QToolButton(owner);
        result.Browse->setObjectName(QString::fromLatin1(browseName));
        result.Browse->setText(QStringLiteral("..."));
        grid->addWidget(result.Browse, row, 2);
    }
    result.Check = NamedButton(checkName, QStringLiteral("Prüfen"), owner);
    result.Check->setToolTip(QStringLiteral("Prüft den Namen (nach dem Ersetzen der Variablen) und sagt, ob er "
                                            "gültig ist."));
    grid->addWidget(result.Check, row, 3);
    result.Problem = ProblemLabel(problemName, owner);
    grid->addWidget(result.Problem, row + 1, 1, 1, 3);
    return result;
}

} // namespace ui
