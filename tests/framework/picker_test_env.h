// The world of the picker tests: a project folder and a run-time package folder made by
// the test, with game images drawn by code and sound files that are only names.
#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>

#include "core/game_sheets.h"
#include "core/image_file.h"
#include "core/material_test_env.h"

class PickerTestEnv : public MaterialTestEnv {
protected:
  // An 8-bit game image of hashed pixels under a path relative to the scratch folder.
  void PutImage(const std::string& relative, int width, int height, uint32_t seed = 1) {
    Mkdir(std::filesystem::path(relative).parent_path().string());
    SaveBitmapToImageFile(MakeGameBitmap(width, height, seed), Path(relative));
  }
};

// Runs Action once the modal dialog opened next is showing (for forms that open their
// own dialogs).
inline void WhenModalOpens(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal)
      action(modal);
    else
      WhenModalOpens(action);
  });
}
