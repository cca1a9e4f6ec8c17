#include "window/form1.h"

namespace klobbet {

namespace {

// Each group shows exactly one check mark: the item that was chosen.
void checkOnly(MenuItem& chosen, MenuItem& other, MenuItem& another) {
    chosen.setChecked(true);
    other.setChecked(false);
    another.setChecked(false);
}

}  // namespace

void Form1::mnulent_Click() {
    sequenceLength = 10;
    checkOnly(mnulent, mnumoyen, mnulong);
}

void Form1::mnumoyen_Click() {
    sequenceLength = 20;
    checkOnly(mnumoyen, mnulent, mnulong);
}

void Form1::mnulong_Click() {
    sequenceLength = 40;
    checkOnly(mnulong, mnulent, mnumoyen);
}

void Form1::mnufacile_Click() {
    leftEasy = true;
    leftDiabolical = false;
    checkOnly(mnufacile, mnudifficile, mnudiabo1);
}

void Form1::mnudifficile_Click() {
    leftEasy = false;
    leftDiabolical = false;
    checkOnly(mnudifficile, mnufacile, mnudiabo1);
}

void Form1::mnudiabo1_Click() {
    leftEasy = false;
    leftDiabolical = true;
    checkOnly(mnudiabo1, mnufacile, mnudifficile);
}

void Form1::mnufacile2_Click() {
    rightEasy = true;
    rightDiabolical = false;
    checkOnly(mnufacile2, mnudifficile2, mnudiabo2);
}

void Form1::mnudifficile2_Click() {
    rightEasy = false;
    rightDiabolical = false;
    checkOnly(mnudifficile2, mnufacile2, mnudiabo2);
}

void Form1::mnudiabo2_Click() {
    rightEasy = false;
    rightDiabolical = true;
    checkOnly(mnudiabo2, mnufacile2, mnudifficile2);
}

}  // namespace klobbet
