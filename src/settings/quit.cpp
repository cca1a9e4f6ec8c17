#include "window/form1.h"

namespace klobbet {

bool Form1::confirmLeaving(const QString& partingPrompt, const QString& partingTitle) {
    const int answer = services_.MsgBox(
        QStringLiteral("Tu veux vraiment aller faire quelque chose de plus nul que ce jeu ?"),
        msgbox::kYesNo + msgbox::kDefaultButton2, QStringLiteral("Sale Battard !"));
    if (answer == msgbox::kYes) {
        services_.MsgBox(partingPrompt, msgbox::kOkOnly + msgbox::kExclamation, partingTitle);
        services_.End();
        return true;
    }
    services_.MsgBox(QStringLiteral("C'est bien fiston"), msgbox::kOkOnly,
                     QStringLiteral("T'as d'la chance"));
    return false;
}

void Form1::mnuquit_Click() {
    confirmLeaving(QStringLiteral("C'est ca, 0 la prochaine...!"), QStringLiteral("Au revoir !"));
}

// Every close request asks, whatever its source; only Yes lets the window go.
void Form1::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
    if (!confirmLeaving(QStringLiteral("C'est ca, dégage !"), QStringLiteral("Pauvre con"))) {
        cancel = 1;
    }
}

}  // namespace klobbet
