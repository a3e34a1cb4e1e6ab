#pragma once

class QAction;
class QWidget;

namespace quaredit {

class TAboutFrm;
class WindowServices;

// Help > "&About...": owns the about box, created once at start-up, and
// shows it modally.
class AboutCommand {
public:
    AboutCommand(WindowServices& services, QAction* command, QWidget* parentWindow);
    ~AboutCommand();
    AboutCommand(const AboutCommand&) = delete;
    AboutCommand& operator=(const AboutCommand&) = delete;

    void MNU_Help_AboutClick();
    TAboutFrm& window() { return *window_; }

private:
    WindowServices& services_;
    TAboutFrm* window_; // owned by the parent window when there is one
    bool ownsWindow_;
};

} // namespace quaredit
