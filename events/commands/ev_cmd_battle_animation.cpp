// The two "Show Battle Animation" commands: on the map at a character or over the whole
// screen, in battle at one enemy or the whole group. Both play the chosen animation in a
// preview while the author chooses.
#include <QComboBox>

#include "core/animation_record.h"
#include "core/database_tables.h"
#include "events/animation_preview.h"
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// The preview shows the stage at half size: the whole game screen of 320 x 240.
constexpr int PreviewWidth = 160;
constexpr int PreviewHeight = 120;

// The "Battle Animation" group with its preview, and the wait flag every such command
// shares. Values has Animation and Wait.
template <class Values> class TFormEvCmdShowAnimation : public TFormEvCmdWait<Values> {
protected:
  using TFormEvCmdWait<Values>::TFormEvCmdWait;

  void AnimationGroup(TFormBuilder& b) {
    b.Group("GroupBox1", "Battle Animation", [&] {
      animations_ = CatalogCombo(b, "ComboBox1", AnimationModel(), &this->v.Animation);
      preview_ = b.Add<TAnimationPreview>("AnimationArea", PreviewWidth, PreviewHeight);
    });
  }
  void UpdateOwnControls() override {
    preview_->SetAnimation(AnimationList ? AnimationList->FindById(this->v.Animation) : nullptr);
  }
  void BoundValueChanged(QWidget* control) override {
    if (control != animations_) return;
    preview_->Restart(AnimationChosenCounter);
    this->UpdateControls();
  }

private:
  QComboBox* animations_ = nullptr;
  TAnimationPreview* preview_ = nullptr;
};

// ---- 11210 ----

struct TMapAnimationValues {
  int Animation = 1;
  int Target = HeroEventId;
  bool Wait = true;
  bool FullScreen = false;
  bool operator==(const TMapAnimationValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TMapAnimationValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Animation = head.GetParam(0);
  v.Target = head.GetParam(1);
  v.Wait = head.GetParam(2) != 0;
  v.FullScreen = head.GetParam(3) != 0;
}

void WriteCommand(const TMapAnimationValues& v, TXelEventScriptList& lines) {
  lines.Add(11210, 0)->Params = {v.Animation, v.Target, v.Wait, v.FullScreen};
}

class TFormEvCmd11210 : public TFormEvCmdShowAnimation<TMapAnimationValues> {
public:
  explicit TFormEvCmd11210(QWidget* owner) : TFormEvCmdShowAnimation(owner, 11210) {
    TFormBuilder b(this, "FormEvCmd11210", "Show Battle Animation", 313, 337);
    CommandLayout(b, [&] {
      AnimationGroup(b);
      b.Group("GroupBox2", "Object Character",
              [&] { EventCombo(*this, b, "ComboBox2", &v.Target); });
      b.Group("GroupBox3", "Options", [&] {
        WaitBox(b);
        b.CheckBox("CheckBox2", "Apply to Full Screen", &v.FullScreen);
      });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11210, TFormGroup::Command, 11210,
                      LastUsedRecord<TMapAnimationValues>(), LastWaitUntilDone());

// ---- 13260 ----

constexpr int32_t AllGroup = -1;

struct TBattleAnimationValues {
  int Animation = 1;
  int Target = AllGroup; // a member index
  bool Wait = true;
  bool operator==(const TBattleAnimationValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TBattleAnimationValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Animation = head.GetParam(0);
  v.Target = head.GetParam(1);
  v.Wait = head.GetParam(2) != 0;
}

void WriteCommand(const TBattleAnimationValues& v, TXelEventScriptList& lines) {
  lines.Add(13260, 0)->Params = {v.Animation, v.Target, v.Wait};
}

class TFormEvCmd13260 : public TFormEvCmdShowAnimation<TBattleAnimationValues> {
public:
  explicit TFormEvCmd13260(QWidget* owner) : TFormEvCmdShowAnimation(owner, 13260) {
    TFormBuilder b(this, "FormEvCmd13260", "Show Battle Animation", 313, 305);
    CommandLayout(b, [&] {
      AnimationGroup(b);
      b.Group("GroupBox2", "Target", [&] { EnemyCombo(*this, b, "ComboBox2", &v.Target, true); });
      b.Group("GroupBox3", "Options", [&] { WaitBox(b, "Wait Till End Animation"); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd13260, TFormGroup::Command, 13260,
                      LastUsedRecord<TBattleAnimationValues>(), LastWaitUntilDone());

} // namespace
