#include "database/sel_monster.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/list_picker_kinds.h"
#include "core/material.h"
#include "core/material_image.h"
#include "core/monster_page.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/sel_material_list.h"

VELMORA_REGISTER_FORM(TFormSelMonster, TFormGroup::Dialog, 0);

namespace {

constexpr const char* MonsterFolder = "Monster";
// The hue strip is twice as wide as its window; the slider moves it by half its width.
constexpr int StripWidth = 432;
constexpr int StripHeight = 16;
constexpr int StripWindow = StripWidth / 2;
constexpr int SliderMax = 36;

// Two turns of the hue circle, so that the window always shows a whole one.
QPixmap HueStrip() {
  QImage strip(StripWidth, StripHeight, QImage::Format_RGB32);
  for (int x = 0; x < StripWidth; ++x) {
    const QColor color = QColor::fromHsv(x * 360 / StripWindow % 360, 255, 255);
    for (int y = 0; y < StripHeight; ++y)
      strip.setPixel(x, y, color.rgb());
  }
  return QPixmap::fromImage(strip);
}

} // namespace

void DrawMonsterPreview(QPainter& canvas, TGlimraSheet& sheet, QSize client, int opacity) {
  TGlimraBoard board;
  board.SetSize(client.width(), client.height());
  const uint16_t background = sheet.ColorTable()[0];
  for (int y = 0; y < board.GetHeight(); ++y)
    std::fill_n(board.GetRow(y), board.GetWidth(), background);
  sheet.Opacity = opacity;
  board.DrawSheet((client.width() - sheet.Width()) / 2, (client.height() - sheet.Height()) / 2,
                  sheet, sheet.GetBoundsRect());
  canvas.drawImage(0, 0, BoardToImage(board));
}

TFormSelMonster::TFormSelMonster(QWidget* owner)
    : TFormXelBase(owner), sheet_(std::make_unique<TGlimraSheet>()), strip_(HueStrip()) {
  sheet_->Transparent = true;
  sheet_->AutoSize = true;
  TFormBuilder b(this, "FormSelMonster", "Select Monsters Graphic", 465, 345);
  b.Row([&] {
    IconListBox1 = b.Add<TIconListBox>("IconListBox1");
    IconListBox1->setFixedWidth(177);
    b.Column([&] {
      ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
      ScrollFrame1->HorzScrollBar()->SetVisible(false);
      ScrollFrame1->VertScrollBar()->SetVisible(false);
      ScrollFrame1->setMinimumSize(260, 220);
      b.Group("GroupBox1", "Change Fellow Color", [&] {
        auto* window = b.Add<QFrame>("ScrollFrame2");
        window->setFixedSize(StripWindow, StripHeight);
        // The window shows the part of the strip that lies under it.
        Image1 = new QLabel(window);
        Image1->setObjectName(QStringLiteral("Image1"));
        Image1->setGeometry(0, 0, StripWindow, StripHeight);
        Slider1 = b.Add<TSlider>("Slider1");
        Slider1->SetMax(SliderMax);
        Slider1->SetPageSize(3);
        Slider1->SetPosition(SliderMax / 2);
      });
      b.Stretch();
      b.Row([&] {
        b.Stretch();
        ButtonOk = b.OkButton();
        b.CancelButton();
      });
    });
  });
  OnPaint(ScrollFrame1, [this](QPainter& canvas) {
    DrawMonsterPreview(canvas, *sheet_, ScrollFrame1->ClientSize());
  });
  On(IconListBox1, &QListWidget::currentRowChanged, &TFormSelMonster::IconListBox1Click);
  On(IconListBox1, &QListWidget::itemDoubleClicked, [this] { ButtonOk->click(); });
  On(ScrollFrame1, &TScrollFrame::DblClick, [this] { ButtonOk->click(); });
  On(Slider1, &TSlider::Change, &TFormSelMonster::Slider1Change);
}

TFormSelMonster::~TFormSelMonster() = default;

void TFormSelMonster::FormShow() {
  file_ = FileName;
  std::vector<std::string> items;
  ListMaterialFiles(items, MonsterFolder, ImageExtensions);
  loading_ = true;
  {
    TUpdatingScope updating(*this);
    ShowMaterialEntries(IconListBox1, items, file_, DefaultLinesAboveSelection);
  }
  IconListBox1Click();
  loading_ = false;
  {
    TUpdatingScope updating(*this);
    Slider1->SetPosition(SliderFromHue(Hue));
  }
  Slider1Change();
}

void TFormSelMonster::ButtonOkClick() {
  FileName = file_;
  Hue = hue_;
  done(mrOk);
}

void TFormSelMonster::IconListBox1Click() {
  file_ = SelectedMaterialName(IconListBox1);
  LoadMaterialSheet(*sheet_, file_, MonsterFolder, false);
  saved_ = sheet_->Palette();
  {
    TUpdatingScope updating(*this);
    Slider1->SetPosition(SliderMax / 2);
  }
  Slider1Change();
}

void TFormSelMonster::Slider1Change() {
  const int position = Slider1->Position();
  const int stripLeft = position * StripWindow / SliderMax - StripWindow;
  Image1->setPixmap(strip_.copy(-stripLeft, 0, StripWindow, StripHeight));
  if (!loading_) hue_ = HueFromSlider(position);
  sheet_->Palette() = saved_;
  sheet_->RotateHue(hue_);
  ScrollFrame1->viewport()->update();
}
