#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace ui {

enum class Icon { None, Information, Warning, Critical, Question };

// Every message, confirmation and input box of the program goes through one
// driver, so that tests can script the answers and read what was shown.
class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A box with its own caption and icon; with `yesNo` it asks and returns
    // true for Yes, otherwise it has only OK and returns true.
    virtual bool box(QWidget* parent, const QString& caption, const QString& text, Icon icon, bool yesNo) = 0;
    // The standard Yes/No confirmation.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Input box: nullopt when cancelled.
    virtual std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt,
                                         const QString& defaultText) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
    virtual void beep() = 0;
    // Asks where to save a file (`filter` as for a file dialog, e.g.
    // "Excel Dosyaları (*.xlsx)"); nullopt when cancelled. Drivers that do not
    // ask anything answer nullopt.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                                const QString& filter);
    // Asks for an existing file to read; nullopt when cancelled. Drivers that
    // do not ask anything answer nullopt.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter);
};

// The program's own dialogs (QMessageBox / QInputDialog).
class WidgetDialogDriver : public DialogDriver {
public:
    void message(QWidget* parent, const QString& text) override;
    bool box(QWidget* parent, const QString& caption, const QString& text, Icon icon, bool yesNo) override;
    bool confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& defaultText) override;
    void error(QWidget* parent, const QString& text) override;
    void beep() override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filter) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter) override;
};

// What a scripted driver saw.
struct ShownDialog {
    QString kind;  // "message", "box", "confirm", "input", "error", "beep", "save", "open"
    QString caption;
    QString text;
    Icon icon = Icon::None;
};

// Answers from a queue and records every dialog; unanswered questions get
// `defaultAnswer` / a cancelled input.
class ScriptedDialogDriver : public DialogDriver {
public:
    void message(QWidget* parent, const QString& text) override;
    bool box(QWidget* parent, const QString& caption, const QString& text, Icon icon, bool yesNo) override;
    bool confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt,
                                 const QString& defaultText) override;
    void error(QWidget* parent, const QString& text) override;
    void beep() override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                        const QString& filter) override;
    // Answers from the same queue as saveFileName (answerFileName).
    std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter) override;

    void answerYes() { answers.push_back(true); }
    void answerNo() { answers.push_back(false); }
    void answerInput(const std::optional<QString>& text) { inputs.push_back(text); }
    void answerFileName(const std::optional<QString>& path) { fileNames.push_back(path); }

    QList<ShownDialog> shown;
    QList<bool> answers;
    QList<std::optional<QString>> inputs;
    QList<std::optional<QString>> fileNames;
    bool defaultAnswer = false;
    int beeps = 0;

    QStringList texts() const;  // texts of everything shown, in order
    void clear()
    {
        shown.clear();
        beeps = 0;
    }
};

// The installed driver (the widget driver unless a test replaced it).
DialogDriver& dialogDriver();
// Installs a driver; the previous one is returned to the caller.
std::unique_ptr<DialogDriver> setDialogDriver(std::unique_ptr<DialogDriver> driver);

// Convenience calls used by the windows.
namespace dialogs {
void message(QWidget* parent, const QString& text);
bool ask(QWidget* parent, const QString& caption, const QString& text, Icon icon = Icon::Question);
void warn(QWidget* parent, const QString& caption, const QString& text, Icon icon = Icon::Warning);
bool confirm(QWidget* parent, const QString& text);
std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& defaultText = {});
void error(QWidget* parent, const QString& text);
void beep();
std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter);
std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter);
}  // namespace dialogs

}  // namespace ui
