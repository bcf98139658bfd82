// Counts a modal dialog of a menu command in TMainWnd::DialogDepth for as long as it is open.
#pragma once

namespace ui {

class cDialogGuard {
public:
    explicit cDialogGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~cDialogGuard() { --m_depth; }
    cDialogGuard(const cDialogGuard&) = delete;
    cDialogGuard& operator=(const cDialogGuard&) = delete;

private:
    int& m_depth;
};

} // namespace ui
