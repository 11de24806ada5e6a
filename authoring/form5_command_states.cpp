// Which commands can be used for the open project and the selections.
#include <initializer_list>

#include "form5.h"
#include "store_error.h"

namespace {

void setAll(std::initializer_list<controls::Control*> controls, bool enabled) {
  for (controls::Control* c : controls) c->setEnabled(enabled);
}

// The move commands of a list with `count` entries and `selected` chosen:
// up needs an entry above, down one below. The rules run in this order, so
// with no selection up keeps its state and down follows the count.
void setMoveStates(controls::Control& up, controls::Control& down, int selected, int count) {
  if (selected >= 1) up.setEnabled(true);
  if (selected == 0) up.setEnabled(false);
  if (selected == count - 1) down.setEnabled(false);
  if (selected < count - 1) down.setEnabled(true);
}

}  // namespace

void Form5::EnableButtons(bool state) {
  setAll({&Command6, &Command22, &Command24, &Command19, &Command20, &Command7, &Command8, &Command11, &Command13,
          &Command14, &Command15, &cmdPreview},
         false);
  Command2.setEnabled(state);
  setAll({&imgPreview2, &Command9, &Command16, &Command10, &Command12, &Command5, &Picture1, &Image4, &Image2, &Image3,
          &Label13, &lblProjectTitle, &lblProjectSubTitle, &Label7, &Label9, &Label10, &lblCdLabl},
         state);
}

void Form5::sortButtons() {
  if (List1.ListCount() == 0) {
    setAll({&Command19, &Command20, &Command22, &Command6, &Command24, &Command7, &Command8, &Command11, &Command13,
            &Command14, &Command15},
           false);
    try {
      File4.Refresh();
    } catch (const store::StoreError&) {
      // A song folder that went away lists nothing; the states stand.
    }
  }
  const int selected = List1.ListIndex();
  setMoveStates(Command6, Command24, selected, List1.ListCount());
  const bool chosen = selected != -1;
  setAll({&Command19, &Command20, &Command22}, chosen);
  if (!chosen) setAll({&Command6, &Command24}, false);
}

void Form5::albumSelectionStates() {
  Command7.setEnabled(true);
  const int selected = List1.ListIndex();
  setMoveStates(Command6, Command24, selected, List1.ListCount());
  setAll({&Command19, &Command20, &Command22}, selected != -1);
  // The new song list has no song chosen yet.
  setAll({&Command8, &Command11, &Command13, &Command14, &Command15}, false);
}

void Form5::sortRightButtons() {
  if (File4.ListCount() == 0) setAll({&Command8, &Command11, &Command13, &Command14, &Command15}, false);
  const int selected = File4.ListIndex();
  setMoveStates(Command8, Command11, selected, File4.ListCount());
  const bool chosen = selected != -1;
  setAll({&Command13, &Command14, &Command15}, chosen);
  if (!chosen) setAll({&Command8, &Command11}, false);
}
