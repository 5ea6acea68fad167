// Steps that drive a command dialog by control names, for the dialog tables.
#pragma once

#include <QAbstractButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/harness/widget_harness.h"

using TStep = std::function<void(TFormEvCmdBase&)>;

// A value box's picker button, or any other button.
inline void Click(TFormEvCmdBase& form, const char* name) {
  if (auto* box = form.findChild<TDashBox*>(name)) return box->ButtonClick();
  FindControl<QAbstractButton>(&form, name)->click();
}
inline TStep Clicks(std::initializer_list<const char*> names) {
  std::vector<const char*> all(names);
  return [all](TFormEvCmdBase& form) {
    for (const char* name : all)
      Click(form, name);
  };
}
inline TStep Dial(const char* name, int value) {
  return [=](TFormEvCmdBase& form) {
    auto* edit = FindControl<TDialEdit>(&form, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::number(value));
  };
}

// Which controls of Form are enabled, and which are disabled (showing nothing).
inline void ExpectEnabling(QWidget* form, const std::vector<const char*>& enabled,
                           const std::vector<const char*>& disabled, const std::string& label) {
  for (const char* name : enabled)
    EXPECT_TRUE(FindControl(form, name)->isEnabled()) << label << " " << name;
  for (const char* name : disabled)
    EXPECT_FALSE(FindControl(form, name)->isEnabled()) << label << " " << name;
}
