#include "window/form1.h"

namespace klobbet {

Form1::Form1(const Form1Controls& controls, Services& services)
    : Picture1(controls.Picture1),
      Picture2(controls.Picture2),
      Picture3(controls.Picture3),
      Picture4(controls.Picture4),
      Label3(controls.Label3),
      Command1(controls.Command1),
      mnupartie(controls.mnupartie),
      mnulent(controls.mnulent),
      mnumoyen(controls.mnumoyen),
      mnulong(controls.mnulong),
      mnufacile(controls.mnufacile),
      mnudifficile(controls.mnudifficile),
      mnudiabo1(controls.mnudiabo1),
      mnufacile2(controls.mnufacile2),
      mnudifficile2(controls.mnudifficile2),
      mnudiabo2(controls.mnudiabo2),
      Timer1(controls.Timer1),
      Timer2(controls.Timer2),
      services_(services) {}

void Form1::Form_Load() {
    services_.MsgBox(
        QStringLiteral("Le joueur de droite a les flèches, celui de gauche Q, S, D et Z"),
        msgbox::kOkOnly + msgbox::kInformation, QStringLiteral("Klobbet :"));
    gameOver = true;

    leftPoses[0] = services_.LoadPicture(106);
    leftPoses[1] = services_.LoadPicture(105);
    leftPoses[2] = services_.LoadPicture(107);
    leftPoses[3] = services_.LoadPicture(104);
    rightPoses[0] = services_.LoadPicture(110);
    rightPoses[1] = services_.LoadPicture(109);
    rightPoses[2] = services_.LoadPicture(111);
    rightPoses[3] = services_.LoadPicture(108);

    anvilPicture = services_.LoadPicture(102);
    candlePicture = services_.LoadPicture(101);
    flattenedPicture = services_.LoadPicture(103);

    for (int k = 1; k <= 8; ++k) {
        smallSymbols[k] = services_.LoadPicture(111 + k);
        bigSymbols[k] = services_.LoadPicture(119 + k);
    }

    sequenceLength = 20;

    // The plain arrows are the big arrow symbols themselves, not copies.
    arrowSymbols[0] = bigSymbols[6];
    arrowSymbols[1] = bigSymbols[3];
    arrowSymbols[2] = bigSymbols[5];
    arrowSymbols[3] = bigSymbols[4];
}

}  // namespace klobbet
