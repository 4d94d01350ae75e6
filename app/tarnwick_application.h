#pragma once

#include <QApplication>
#include <functional>

inline constexpr char ProgramTitle[] = "Tarnwick";

// Runs one delivery of an event and catches what it throws: the error's text is shown
// through `show` (a message box captioned "Tarnwick" in the program) and `end` is asked to
// end the program. A second error while the first is being shown ends the program at once.
// Returns the delivery's answer, false after an error.
class ExceptionGuard {
public:
    std::function<void(const QString &text)> show;
    std::function<void()> end;

    bool deliver(const std::function<bool()> &delivery);
    bool failed() const { return failed_; }

private:
    bool showing_ = false;
    bool failed_ = false;
};

// The program's application object: every event goes through the exception guard, so an
// error that reaches the event loop is shown and ends the program instead of aborting it.
class TarnwickApplication : public QApplication {
    Q_OBJECT
public:
    TarnwickApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
    // True once an error has ended the program; the run's exit code is then 1.
    bool failed() const { return guard_.failed(); }

private:
    ExceptionGuard guard_;
};
