#include "platform/FrameWidget.h"
#include "platform/ModalAnswers.h"
#include "platform/WindowInternal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <vector>

namespace {

// The buttons of a box type, in their order on screen.
std::vector<int> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE:
        return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_RETRYCANCEL:
        return {IDRETRY, IDCANCEL};
    default:
        return {IDOK};
    }
}

// What closing the box without a button means: Cancel when there is one, else No, else the
// only button.
int dismissAnswer(const std::vector<int>& buttons) {
    for (int wanted : {IDCANCEL, IDNO, IDIGNORE, IDOK}) {
        if (std::find(buttons.begin(), buttons.end(), wanted) != buttons.end())
            return wanted;
    }
    return buttons.front();
}

QMessageBox::StandardButton standardButton(int id) {
    switch (id) {
    case IDOK:
        return QMessageBox::Ok;
    case IDCANCEL:
        return QMessageBox::Cancel;
    case IDABORT:
        return QMessageBox::Abort;
    case IDRETRY:
        return QMessageBox::Retry;
    case IDIGNORE:
        return QMessageBox::Ignore;
    case IDYES:
        return QMessageBox::Yes;
    default:
        return QMessageBox::No;
    }
}

QMessageBox::Icon iconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The editor's texts break lines with CR LF; the toolkit wants LF.
QString displayText(const char16_t* text) {
    QString s = text != nullptr ? QString::fromUtf16(text) : QString();
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

// Ctrl+C copies the caption, the text and the buttons' labels, framed by dashed lines, as the
// handheld system's message boxes do.
void offerCopy(QMessageBox& box) {
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        const QString rule = QStringLiteral("---------------------------\n");
        QStringList labels;
        for (QAbstractButton* button : box.buttons())
            labels << button->text().remove(u'&');
        QGuiApplication::clipboard()->setText(rule + box.windowTitle() + u'\n' + rule + box.text() +
                                              u'\n' + rule + labels.join(QStringLiteral("   ")) +
                                              u'\n' + rule);
    });
}

int runBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type,
           const std::vector<int>& buttons) {
    PlatformWindow* w = platform::liveWindow(owner);
    QMessageBox box(iconOf(type), displayText(caption), displayText(text), QMessageBox::NoButton,
                    w != nullptr ? w->frame->window() : nullptr);
    for (int id : buttons)
        box.addButton(standardButton(id));
    const std::size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(standardButton(buttons[defaultIndex]));
    box.setEscapeButton(box.button(standardButton(dismissAnswer(buttons))));
    offerCopy(box);
    box.exec();
    box.hide();
    platform::returnActivationTo(box.parentWidget(), &box);
    QAbstractButton* clicked = box.clickedButton();
    for (int id : buttons) {
        if (clicked != nullptr && clicked == box.button(standardButton(id)))
            return id;
    }
    return dismissAnswer(buttons);
}

} // namespace

int MessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
    const std::vector<int> buttons = buttonsOf(type);
    int result = 0;
    if (const auto queued = platform::takeQueuedMessageBoxAnswer()) {
        // A queued answer is a button press: one the box does not have cannot happen.
        const bool offered = std::find(buttons.begin(), buttons.end(), *queued) != buttons.end();
        result = offered ? *queued : dismissAnswer(buttons);
    } else if (platform::modalLoopsUnattended()) {
        result = dismissAnswer(buttons);
    } else {
        result = runBox(owner, text, caption, type, buttons);
    }
    platform::recordMessageBox(platform::test::MessageBoxCall{
        owner, text != nullptr ? std::u16string(text) : std::u16string(),
        caption != nullptr ? std::u16string(caption) : std::u16string(), type, result});
    return result;
}
