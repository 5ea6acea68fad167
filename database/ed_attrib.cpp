// The "Attributes" page: each attribute's name, kind and its rate of effect per rank.
#include <QLabel>

#include "core/attribute_records.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "database/database_page.h"
#include "database/page_pictures.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"

namespace {

TListPosition AttribPosition;

const TListPageKind AttribPage{[]() -> TCatalog* { return AttribList; }, AttributeModel,
                               cfAttribute, &AttribPosition};

class TFormEDAttrib : public TFormDataBasePage<TXelAttribItem> {
public:
  explicit TFormEDAttrib(QWidget* parent) : TFormDataBasePage(parent, 7, AttribPage) {
    TFormBuilder b(this, "FormEDAttrib", "Attributes", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Attributes");
      b.Column([&] {
        b.Label("Label1", "Name");
        b.Edit("OverEdit1", Field(&CurrentEntry, &TXelAttribItem::Name), 8);
        b.Group("GroupBox1", "Classification", [&] {
          b.Radios(Field(&CurrentEntry, &TXelAttribItem::Kind), [&] {
            b.Radio("RadioButton1", "Weapon attrib.");
            b.Radio("RadioButton2", "Magic attrib.");
          });
        });
        b.Group("GroupBox2", "Rate of Effect", [&] {
          int32_t TXelAttribItem::*const rates[] = {&TXelAttribItem::RateA, &TXelAttribItem::RateB,
                                                    &TXelAttribItem::RateC, &TXelAttribItem::RateD,
                                                    &TXelAttribItem::RateE};
          const char* const edits[] = {"DialEdit1", "DialEdit2", "DialEdit3", "DialEdit4",
                                       "DialEdit5"};
          const char* const units[] = {"Label2", "Label3", "Label4", "Label5", "Label6"};
          b.Grid(3, [&] {
            for (int k = 0; k < RankCount; ++k) {
              RankImage(b, k, RankImageNames[k]);
              b.DialEdit(edits[k], 0, 1000, Field(&CurrentEntry, rates[k]));
              b.Label(units[k], "%");
            }
          });
        });
        b.Stretch();
      });
      b.Stretch();
    });
    Start();
  }
};
VELMORA_REGISTER_DATABASE_PAGE(TFormEDAttrib, 5);

} // namespace
