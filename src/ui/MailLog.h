// Mailing the log after a run as the profile's log options ask.
#pragma once

class QWidget;
class cParameters;

namespace ui {

// Sends Log.ActualFileName by SMTP to the log's recipients (MailText, SendMail) on a worker thread while the
// window stays alive; meanwhile a note says to whom (not in mute mode) and parent is disabled. A failure shows
// the timed error box. Returns whether the mail was sent.
bool MailLog(QWidget* parent, const cParameters& params, bool mute);

} // namespace ui
