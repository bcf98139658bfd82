// The help window: the program's manual as HTML pages from the shipped "help/" folder, one page per help
// context, with back, forward and contents.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <vector>

class QPushButton;

namespace ui {

class cRichTextBrowser;

// The contents page and the introduction.
inline constexpr int kHelpContents = 1020;
inline constexpr int kHelpIntroduction = 1010;

// The pages that can show context, best first, relative to the help folder: its own page, then the page of its
// group with an anchor for it ("30100.html#c30123"), at last the contents.
std::vector<QString> HelpPageCandidates(int context);

class THelpWnd : public QWidget {
    Q_OBJECT

public:
    explicit THelpWnd(QWidget* parent = nullptr);

    // Shows the page of context (see HelpPageCandidates); without any page, a note that the help is missing.
    void ShowTopic(int context);
    // The page shown now.
    QUrl Page() const;
    // Makes the window a child of the modal dialog open now (if any) so that it stays usable above it; when
    // that dialog goes, the window stays open on its own.
    void FollowModalDialog();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MoveUnder(QWidget* owner);
    void UpdateCaption();

    cRichTextBrowser* m_browser;
    QPushButton* m_back;
    QPushButton* m_forward;
    QPointer<QWidget> m_owner;
};

// Opens the one help window of the process (non-modal) at the page of context; 0 or an unknown context gives
// the contents.
void ShowHelp(QWidget* parent, int context);

// The help window when one is open, else nullptr.
THelpWnd* OpenHelpWindow();

} // namespace ui
