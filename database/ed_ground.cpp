// The "Terrain" page: the terrain types that chipsets give their lower chips.
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "core/attribute_records.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "database/database_page.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/pickers/sel_material_list.h"

namespace {

TListPosition GroundPosition;

const TListPageKind GroundPage{[]() -> TCatalog* { return GroundList; }, TerrainModel, cfTerrain,
                               &GroundPosition};

using TItem = TXelGroundItem;

constexpr int PreviewWidth = 320;
constexpr int PreviewHeight = 240;

class TFormEDGround : public TFormDataBasePage<TItem> {
public:
  explicit TFormEDGround(QWidget* parent) : TFormDataBasePage(parent, 10, GroundPage) {
    BackdropSheet.SetSize(320, 160);
    TFormBuilder b(this, "FormEDGround", "Terrain", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Terrain Editor", 160);
      b.Column([&] {
        b.Label("Label1", "Name");
        b.Edit("OverEdit1", Field(&CurrentEntry, &TItem::Name), 16);
        b.Label("Label2", "Damage");
        b.DialEdit("DialEdit1", -10, 10, Field(&CurrentEntry, &TItem::Damage));
        b.Label("Label3", "Enemy Magnify");
        b.Row([&] {
          b.DialEdit("DialEdit2", 0, 500, Field(&CurrentEntry, &TItem::EncounterRate))
              ->SetIncrement(10);
          b.Label("Label4", "%");
        });
        b.Group("GroupBox1", "Vehicles passing principle", [&] {
          b.CheckBox("CheckBox1", "Passable by Boat", Field(&CurrentEntry, &TItem::BoatPassable));
          b.CheckBox("CheckBox2", "Passable by Ship", Field(&CurrentEntry, &TItem::ShipPassable));
          b.CheckBox("CheckBox3", "Passable by Airship",
                     Field(&CurrentEntry, &TItem::AirshipPassable));
          b.CheckBox("CheckBox4", "Airship Landing", Field(&CurrentEntry, &TItem::AirshipLanding));
        });
        b.Group("GroupBox2", "Common Chara Display Method", [&] {
          b.Radios(Field(&CurrentEntry, &TItem::CharacterDisplay), [&] {
            b.Radio("RadioButton1", "Normal");
            b.Radio("RadioButton2", "Translucent 1/3 body bottom");
            b.Radio("RadioButton3", "Translucent 1/2 body bottom");
            b.Radio("RadioButton4", "Translucent whole body");
          });
        });
        b.Stretch();
      });
      b.Column([&] {
        b.Group("GroupBox3", "Select Battle Background", [&] {
          ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
          ScrollFrame1->HorzScrollBar()->SetVisible(false);
          ScrollFrame1->VertScrollBar()->SetVisible(false);
          const int edge = 2 * ScrollFrame1->frameWidth();
          ScrollFrame1->setFixedSize(PreviewWidth + edge, PreviewHeight + edge);
          b.Row([&] {
            BitBtn1 = b.Button("BitBtn1", "Set...");
            b.Label("Label5", "* BG could be set by map units also");
            b.Stretch();
          });
        });
        b.Stretch();
      });
      b.Stretch();
    });
    OnPaint(ScrollFrame1, [this](QPainter& canvas) { ScrollFrame1Paint(canvas); });
    On(BitBtn1, &QPushButton::clicked, &TFormEDGround::BitBtn1Click);
    Start();
  }

  void BitBtn1Click() {
    if (!CurrentEntry) return;
    TFormSelBackdrop picker(this);
    picker.FileName = CurrentEntry->BattleBackground;
    if (!picker.ExecuteAt(180, 44)) return;
    CurrentEntry->BattleBackground = picker.FileName;
    ReloadBackdrop();
    DataModified();
  }

  void ScrollFrame1Paint(QPainter& canvas) {
    TGlimraBoard board;
    board.SetSize(PreviewWidth, PreviewHeight);
    board.DrawSheet(0, 0, BackdropSheet, TRect{0, 0, PreviewWidth, PreviewHeight});
    canvas.drawImage(0, 0, BoardToImage(board));
  }

protected:
  void BindEntry(TCatalogItem* entry) override {
    TFormDataBasePage::BindEntry(entry);
    ReloadBackdrop();
  }

private:
  // The entry's backdrop into the sheet; a missing or bad file leaves it blank.
  void ReloadBackdrop() {
    const std::string name = CurrentEntry ? CurrentEntry->BattleBackground : std::string();
    if (name != shownBackdrop_ || name.empty()) {
      LoadMaterialSheet(BackdropSheet, name, "Backdrop", false);
      shownBackdrop_ = name;
    }
    ScrollFrame1->viewport()->update();
  }

  TGlimraSheet BackdropSheet;
  std::string shownBackdrop_;
  TScrollFrame* ScrollFrame1;
  QPushButton* BitBtn1;
};
VELMORA_REGISTER_DATABASE_PAGE(TFormEDGround, 8);

} // namespace
