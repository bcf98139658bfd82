// The window titles the application watch looks through, read from a real X server (Xvfb; the test runs under
// xvfb-run on the xcb platform). There is no window manager there, so the test keeps the client list itself.
#include "shell/Triggers.h"
#include "ui/WindowTitles.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

xcb_connection_t* Connection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        Connection(), xcb_intern_atom(Connection(), 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void SetWindows(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const std::vector<std::uint32_t>& values) {
    xcb_change_property(Connection(), XCB_PROP_MODE_REPLACE, window, property, type, 32,
                        static_cast<std::uint32_t>(values.size()), values.data());
}

xcb_window_t Root() {
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
}

} // namespace

class WindowTitlesX11 : public QObject {
    Q_OBJECT

private slots:
    void TitlesOfTheClientList() {
        QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "runs under xvfb-run on the xcb platform");
        QWidget mail;
        mail.setWindowTitle(QStringLiteral("Posteingang – Thunderbird"));
        QWidget hidden;
        hidden.setWindowTitle(QStringLiteral("Rechner"));
        QWidget owned;
        owned.setWindowTitle(QStringLiteral("Nachricht senden"));
        QWidget untitled;
        for (QWidget* window : {&mail, &hidden, &owned, &untitled})
            window->show();
        for (QWidget* window : {&mail, &hidden, &owned, &untitled})
            QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto id = [](QWidget& window) { return static_cast<std::uint32_t>(window.winId()); };
        SetWindows(id(hidden), Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, {Atom("_NET_WM_STATE_HIDDEN")});
        SetWindows(id(owned), XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, {id(mail)});
        // Qt names a window without a title after the program: take both names away.
        xcb_delete_property(Connection(), id(untitled), Atom("_NET_WM_NAME"));
        xcb_delete_property(Connection(), id(untitled), XCB_ATOM_WM_NAME);
        // What a window manager keeps on the root window.
        SetWindows(Root(), Atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, {id(mail), id(hidden), id(owned), id(untitled)});
        xcb_flush(Connection());

        std::vector<std::string> all = ui::TopLevelWindowTitles(false);
        std::sort(all.begin(), all.end());
        QCOMPARE(all, (std::vector<std::string>{"", "Nachricht senden", "Posteingang – Thunderbird", "Rechner"}));
        // The picker shows what a user sees: no hidden, owned or untitled window.
        QCOMPARE(ui::TopLevelWindowTitles(true), std::vector<std::string>{"Posteingang – Thunderbird"});
        QVERIFY(NameRunning("thunderbird", all));
        QVERIFY(!NameRunning("evolution", all));
    }
};

QTEST_MAIN(WindowTitlesX11)
#include "WindowTitlesX11.moc"
