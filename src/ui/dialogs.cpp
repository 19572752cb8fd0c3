#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {

std::unique_ptr<DialogDriver>& installed()
{
    static std::unique_ptr<DialogDriver> driver = std::make_unique<WidgetDialogDriver>();
    return driver;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

DialogDriver& dialogDriver()
{
    return *installed();
}

std::unique_ptr<DialogDriver> setDialogDriver(std::unique_ptr<DialogDriver> driver)
{
    auto previous = std::move(installed());
    installed() = std::move(driver);
    return previous;
}

std::optional<QString> DialogDriver::saveFileName(QWidget*, const QString&, const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> DialogDriver::openFileName(QWidget*, const QString&, const QString&)
{
    return std::nullopt;
}

void WidgetDialogDriver::message(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool WidgetDialogDriver::box(QWidget* parent, const QString& caption, const QString& text, Icon icon, bool yesNo)
{
    QMessageBox box(toQt(icon), caption, text, QMessageBox::NoButton, parent);
    if (!yesNo) {
        box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
        box.exec();
        return true;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Evet"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Hayır"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

bool WidgetDialogDriver::confirm(QWidget* parent, const QString& text)
{
    return box(parent, QStringLiteral("Onay"), text, Icon::Question, true);
}

std::optional<QString> WidgetDialogDriver::input(QWidget* parent, const QString& title, const QString& prompt,
                                                 const QString& defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

void WidgetDialogDriver::error(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Hata"), text, QMessageBox::Ok, parent);
    box.exec();
}

void WidgetDialogDriver::beep()
{
    QApplication::beep();
}

std::optional<QString> WidgetDialogDriver::saveFileName(QWidget* parent, const QString& caption,
                                                        const QString& suggested, const QString& filter)
{
    const QString path = QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> WidgetDialogDriver::openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    const QString path = QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void ScriptedDialogDriver::message(QWidget*, const QString& text)
{
    shown.push_back({QStringLiteral("message"), {}, text, Icon::None});
}

bool ScriptedDialogDriver::box(QWidget*, const QString& caption, const QString& text, Icon icon, bool yesNo)
{
    shown.push_back({QStringLiteral("box"), caption, text, icon});
    if (!yesNo)
        return true;
    if (answers.isEmpty())
        return defaultAnswer;
    return answers.takeFirst();
}

bool ScriptedDialogDriver::confirm(QWidget*, const QString& text)
{
    shown.push_back({QStringLiteral("confirm"), {}, text, Icon::Question});
    if (answers.isEmpty())
        return defaultAnswer;
    return answers.takeFirst();
}

std::optional<QString> ScriptedDialogDriver::input(QWidget*, const QString& title, const QString& prompt,
                                                   const QString&)
{
    shown.push_back({QStringLiteral("input"), title, prompt, Icon::None});
    if (inputs.isEmpty())
        return std::nullopt;
    return inputs.takeFirst();
}

void ScriptedDialogDriver::error(QWidget*, const QString& text)
{
    shown.push_back({QStringLiteral("error"), {}, text, Icon::Critical});
}

void ScriptedDialogDriver::beep()
{
    ++beeps;
    shown.push_back({QStringLiteral("beep"), {}, {}, Icon::None});
}

std::optional<QString> ScriptedDialogDriver::saveFileName(QWidget*, const QString& caption, const QString&,
                                                          const QString&)
{
    shown.push_back({QStringLiteral("save"), caption, {}, Icon::None});
    if (fileNames.isEmpty())
        return std::nullopt;
    return fileNames.takeFirst();
}

std::optional<QString> ScriptedDialogDriver::openFileName(QWidget*, const QString& caption, const QString&)
{
    shown.push_back({QStringLiteral("open"), caption, {}, Icon::None});
    if (fileNames.isEmpty())
        return std::nullopt;
    return fileNames.takeFirst();
}

QStringList ScriptedDialogDriver::texts() const
{
    QStringList out;
    for (const auto& d : shown)
        if (d.kind != QLatin1String("beep") && d.kind != QLatin1String("save") && d.kind != QLatin1String("open"))
            out << d.text;
    return out;
}

namespace dialogs {
void message(QWidget* parent, const QString& text)
{
    dialogDriver().message(parent, text);
}
bool ask(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    return dialogDriver().box(parent, caption, text, icon, true);
}
void warn(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    dialogDriver().box(parent, caption, text, icon, false);
}
bool confirm(QWidget* parent, const QString& text)
{
    return dialogDriver().confirm(parent, text);
}
std::optional<QString> input(QWidget* parent, const QString& title, const QString& prompt, const QString& defaultText)
{
    return dialogDriver().input(parent, title, prompt, defaultText);
}
void error(QWidget* parent, const QString& text)
{
    dialogDriver().error(parent, text);
}
void beep()
{
    dialogDriver().beep();
}
std::optional<QString> saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                    const QString& filter)
{
    return dialogDriver().saveFileName(parent, caption, suggested, filter);
}
std::optional<QString> openFileName(QWidget* parent, const QString& caption, const QString& filter)
{
    return dialogDriver().openFileName(parent, caption, filter);
}
}  // namespace dialogs

}  // namespace ui
