// Small builders for the editing dialogs: widgets with their object names, the OK/Cancel/Help row, and a
// message line that says beside a field why OK refuses it.
#pragma once

#include <QString>

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ui {

QLineEdit* NamedEdit(const char* name, const QString& text, QWidget* parent);
QCheckBox* NamedCheck(const char* name, const QString& caption, bool checked, QWidget* parent);
QRadioButton* NamedRadio(const char* name, const QString& caption, bool checked, QWidget* parent);
// A button that is never the dialog's default (Enter means OK).
QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent);
// "OK", "Abbrechen" and "Hilfe" (helpContext): OK calls the dialog's accept(), which may refuse.
QDialogButtonBox* OkCancelHelp(QDialog* dialog, int helpContext);
// A red line below a field, hidden while empty.
QLabel* ProblemLabel(const char* name, QWidget* parent);
// Shows text in the label (hides it when empty), the dialog growing for it; returns whether there was no problem.
bool ShowProblem(QLabel* label, const QString& text);

// Makes the dialog as tall as its contents need at its width: a wrapped line that appears must make the window
// taller, not squeeze the other controls.
void FitHeight(QDialog* dialog);

} // namespace ui
