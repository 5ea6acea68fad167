// The shop command: a block whose two optional branches hold what follows a deal made and
// a deal refused, with the goods on sale as the head's parameters from P4 on.
#include <QComboBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/command_block.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/vocabulary_record.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

constexpr int32_t DealBranch = 20720, NoDealBranch = 20721, ShopEnd = 20722;
constexpr int SaleOnly = 2;
constexpr size_t GoodsParam = 4;
constexpr size_t MaxGoods = 100;

struct TShopValues {
  int Kind = 0;          // P0: 0 buying and selling, 1 no sale, 2 sale only
  int Style = 0;         // P1: the vocabulary's shop message set
  bool Branches = false; // P2
  // P4 on: the item ids on sale, in list order; not remembered.
  std::vector<int32_t> Goods;
  bool operator==(const TShopValues& o) const {
    return Kind == o.Kind && Style == o.Style && Branches == o.Branches && Goods == o.Goods;
  }
};

void ReadCommand(const TXelEventScriptList& lines, TShopValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Kind = head.GetParam(0);
  v.Style = head.GetParam(1);
  v.Branches = head.GetParam(2) == 1;
  v.Goods.assign(head.Params.begin() + std::min(GoodsParam, head.Params.size()), head.Params.end());
}

// The bodies of the two branches while the dialog is open; never remembered.
struct TShopBodies {
  std::shared_ptr<TXelEventScriptList> Deal, NoDeal;
};

void ReadShopBodies(const TXelEventScriptList& lines, TShopBodies& bodies) {
  const std::vector<TBlockSection> sections = SplitCommandBlock(lines);
  bodies.Deal = KeepBlockBody(sections, DealBranch);
  bodies.NoDeal = KeepBlockBody(sections, NoDealBranch);
}

void WriteCommand(const TShopValues& v, TXelEventScriptList& lines) {
  TParamList& params = lines.Add(10720, 0)->Params;
  params = {v.Kind, v.Style, v.Branches ? 1 : 0, 0};
  // A shop that only buys has no goods; a kind this editor does not know keeps them.
  if (v.Kind != SaleOnly) params.insert(params.end(), v.Goods.begin(), v.Goods.end());
}

// After the head: the two branches with their bodies and the end line, when asked.
void AppendShopBranches(const TShopValues& v, const TShopBodies& bodies,
                        TXelEventScriptList& lines) {
  if (v.Branches)
    AppendBlockBranches(
        lines, {{DealBranch, bodies.Deal.get()}, {NoDealBranch, bodies.NoDeal.get()}}, ShopEnd);
}

// The item's name padded to 20 and its price in 6, or "?" for an item that is gone.
std::string GoodsLine(int32_t id) {
  const TXelItemItem* item = ItemList ? ItemList->FindById(id) : nullptr;
  if (!item) return "?";
  char price[16];
  std::snprintf(price, sizeof price, "%6d", item->Price);
  std::string line = item->Name;
  if (line.size() < 20) line.append(20 - line.size(), ' ');
  return line + price;
}

// "A:" to "C:", each with the first message of its set.
QStringList ShopStyles() {
  return MessageStyles(TXelVocabulary::ShopCount,
                       [](int style) { return VocabularyData->GetShop(style)->Texts[0]; });
}

class TFormEvCmd10720 : public TFormEvCmd<TShopValues> {
public:
  explicit TFormEvCmd10720(QWidget* owner) : TFormEvCmd(owner, 10720) {
    TFormBuilder b(this, "FormEvCmd10720", "Call Shop", 520, 330);
    QGroupBox* goods = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    CommandLayout(b, [&] {
      b.Row([&] {
        b.Group("GroupBox1", QStringLiteral("Shop Type"), [&] {
          b.Radios(&v.Kind, [&] {
            b.Radio("RadioButtonA1", QStringLiteral("Norm"));
            b.Radio("RadioButtonA2", QStringLiteral("No Sale"));
            b.Radio("RadioButtonA3", QStringLiteral("Sale Only"));
          });
        });
        b.Group("GroupBox2", QStringLiteral("Options"), [&] {
          b.CheckBox("CheckBox1", QStringLiteral("Add Deal Success Fork"), &v.Branches);
        });
      });
      b.Group("GroupBox3", QStringLiteral("Shop Message Style"),
              [&] { b.ComboBox("ComboBox1", ShopStyles(), &v.Style); });
      goods = b.Group("GroupBox4", QStringLiteral("Goods"), [&] {
        b.Row([&] {
          ListBox1 = b.Add<QListWidget>("ListBox1");
          b.Column([&] {
            add = b.Button("ButtonAdd", QStringLiteral("Add"));
            remove = b.Button("ButtonDelete", QStringLiteral("Delete >"));
            b.Stretch();
          });
          ListBox2 = b.Add<QListView>("ListBox2");
          ListBox2->setModel(&ItemModel());
          ListBox2->setModelColumn(TCatalogModel::NameColumn);
          ListBox2->setEditTriggers(QAbstractItemView::NoEditTriggers);
        });
      });
    });
    for (QListView* list : {static_cast<QListView*>(ListBox1), ListBox2}) {
      list->setSelectionMode(QAbstractItemView::ExtendedSelection);
      list->setUniformItemSizes(true); // 5,000 items are not measured one by one
      // The rules follow every click.
      On(list->selectionModel(), &QItemSelectionModel::selectionChanged, [] {});
    }
    const auto sells = [this] { return v.Kind == 0 || v.Kind == 1; };
    EnableWhen({goods, ListBox1, ListBox2}, sells);
    EnableWhen({add}, [this, sells] {
      return sells() && ListBox2->selectionModel()->hasSelection() && v.Goods.size() < MaxGoods;
    });
    EnableWhen({remove},
               [this, sells] { return sells() && ListBox1->selectionModel()->hasSelection(); });
    On(add, &QPushButton::clicked, &TFormEvCmd10720::ButtonAddClick);
    On(remove, &QPushButton::clicked, &TFormEvCmd10720::ButtonDeleteClick);
    On(ListBox2, &QListView::doubleClicked, [this, add] {
      if (add->isEnabled()) ButtonAddClick();
    });
    On(ListBox1, &QListWidget::itemDoubleClicked, [this, remove] {
      if (remove->isEnabled()) ButtonDeleteClick();
    });
  }

  // Every selected item in list order, as long as there are fewer than 100 goods.
  void ButtonAddClick() {
    for (int row : SelectedRows(ListBox2)) {
      if (v.Goods.size() >= MaxGoods) break;
      v.Goods.push_back(ItemModel().index(row, 0).data(TCatalogModel::IdRole).toInt());
    }
    UpdateControls();
    ListBox1->setCurrentRow(ListBox1->count() - 1);
  }

  void ButtonDeleteClick() {
    const std::vector<int> rows = SelectedRows(ListBox1);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
      v.Goods.erase(v.Goods.begin() + *row);
    UpdateControls();
  }

private:
  static std::vector<int> SelectedRows(const QListView* list) {
    std::vector<int> rows;
    // The item list shows the model's name column: its selection is in that column.
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
      rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  void LoadLastUsed() override {
    TFormEvCmd::LoadLastUsed();
    v.Goods.clear();
  }
  void ReadLines(const TXelEventScriptList& lines) override {
    TFormEvCmd::ReadLines(lines);
    ReadShopBodies(lines, bodies_);
  }
  void StoreLastUsed() override {
    TFormEvCmd::StoreLastUsed();
    LastUsedRecord<TShopValues>().Goods.clear();
  }
  void WriteLines(TXelEventScriptList& lines) const override {
    TFormEvCmd::WriteLines(lines);
    AppendShopBranches(v, bodies_, lines);
  }
  void UpdateOwnControls() override {
    ListBox1->clear();
    for (int32_t id : v.Goods)
      ListBox1->addItem(ToQString(GoodsLine(id)));
  }

  TShopBodies bodies_;
  QListWidget* ListBox1 = nullptr;
  QListView* ListBox2 = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10720, TFormGroup::Command, 10720, LastUsedRecord<TShopValues>());

} // namespace
