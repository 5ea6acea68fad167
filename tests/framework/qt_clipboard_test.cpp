#include "framework/controls/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include "core/clipboard_formats.h"
#include "core/hero_records.h"
#include "core/sample_records.h"

namespace {

class QtClipboard : public ::testing::Test {
protected:
  void SetUp() override {
    QGuiApplication::clipboard()->clear();
    SetClipboardProvider(&clipboard);
  }
  void TearDown() override {
    SetClipboardProvider(nullptr);
    QGuiApplication::clipboard()->clear();
  }
  TQtClipboard clipboard;
};

QByteArray Qt(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

TEST_F(QtClipboard, ABlockIsOneMimeTypeHoldingExactlyItsBytes) {
  TXelPlayerItem hero(1);
  hero.Name = "Mira";
  hero.MaxLevel = 60;
  hero.CopyToClipboard(0x10000 + cfHero); // only the low 16 bits name the format
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->formats(), QStringList{"application/x-velmora-574"});
  const Bytes record = SaveBytes(hero);
  Bytes block = {0, 0, 0, 0, 1, 0, 0, 0};
  PutLE32(block.data(), uint32_t(record.size()));
  block.insert(block.end(), record.begin(), record.end());
  EXPECT_EQ(data->data("application/x-velmora-574"), Qt(block));

  TXelPlayerItem other(4);
  EXPECT_TRUE(Clipboard().HasFormat(cfHero));
  EXPECT_FALSE(Clipboard().HasFormat(cfSkill));
  ASSERT_TRUE(other.PasteFromClipboard(cfHero));
  EXPECT_EQ(SaveBytes(other), record);

  // A new block replaces the whole content, and so does another program's text.
  Clipboard().SetData(cfMapEvent, BuildStartMarkClip(StartMarkParty));
  EXPECT_FALSE(Clipboard().HasFormat(cfHero));
  EXPECT_FALSE(other.PasteFromClipboard(cfHero));
  auto mark = ParseMapEventClip(ClipboardBytes(cfMapEvent));
  ASSERT_TRUE(mark);
  EXPECT_EQ(mark->Tag, StartMarkParty);
  QGuiApplication::clipboard()->setText("hello");
  EXPECT_FALSE(Clipboard().HasFormat(cfMapEvent));
  EXPECT_FALSE(ParseMapEventClip(ClipboardBytes(cfMapEvent)));
}

TEST_F(QtClipboard, ATruncatedBlockFromElsewhereIsRefused) {
  TXelPlayerItem hero(1);
  hero.Name = "Mira";
  hero.CopyToClipboard(cfHero);
  QByteArray bytes = QGuiApplication::clipboard()->mimeData()->data(ClipboardMimeType(cfHero));
  auto* data = new QMimeData;
  data->setData(ClipboardMimeType(cfHero), bytes.left(bytes.size() - 1));
  QGuiApplication::clipboard()->setMimeData(data);
  EXPECT_TRUE(Clipboard().HasFormat(cfHero));
  TXelPlayerItem target(2);
  target.Name = "Kept";
  EXPECT_FALSE(target.PasteFromClipboard(cfHero));
  EXPECT_EQ(target.Name, "Kept");
}

} // namespace
