#include "framework/controls/file_operation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "framework/harness/widget_harness.h"

namespace {

class FileOperationFiles : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    QDir(temp.path()).mkpath("src/sub");
    QDir(temp.path()).mkpath("dst");
    Write("src/Setup.ini", "[Setup]\r\n");
    Write("src/UNLHA32.DLL", "library");
    Write("src/sub/inner.txt", "inner");
    Write("dst/UNLHA32.DLL", "old library");
  }
  QString Path(const QString& name) const { return temp.filePath(name); }
  void Write(const QString& name, const QByteArray& bytes) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
  }

  QTemporaryDir temp;
  TScriptedMessageBoxes boxes;
  TFileOperation operation;
};

} // namespace

TEST_F(FileOperationFiles, OneDestinationPerSourceCopiesUnderNewNamesWithoutAsking) {
  operation.Options = foMultiDestFiles | foNoConfirmation | foSilent;
  operation.SourceFiles = {Path("src/Setup.ini"), Path("src/UNLHA32.DLL")};
  operation.DestFiles = {Path("dst/Setup.ini"), Path("dst/new/Setup.exe")};
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(Read("dst/Setup.ini"), "[Setup]\r\n");
  EXPECT_EQ(Read("dst/new/Setup.exe"), "library");
  EXPECT_TRUE(boxes.Boxes().empty());
  // No temporary file is left beside the copies.
  EXPECT_EQ(QDir(Path("dst")).entryList(QDir::Files), QStringList({"Setup.ini", "UNLHA32.DLL"}));
}

TEST_F(FileOperationFiles, AFailingCopyReportsFailureAndTellsTheAuthor) {
  operation.Options = foMultiDestFiles | foNoConfirmation | foSilent;
  operation.SourceFiles = {Path("src/missing.lzh")};
  operation.DestFiles = {Path("dst/missing.lzh")};
  EXPECT_FALSE(operation.Copy());
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_ICONHAND);
  EXPECT_TRUE(boxes.Boxes()[0].text.startsWith("Cannot process \""));

  // A target folder that cannot be made fails as well, silently with foNoErrorUI.
  Write("blocker", "a file where a folder should be");
  operation.Options |= foNoErrorUI;
  operation.SourceFiles = {Path("src/Setup.ini")};
  operation.DestFiles = {Path("blocker/Setup.ini")};
  EXPECT_FALSE(operation.Copy());
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(Read("blocker"), "a file where a folder should be");
}

TEST_F(FileOperationFiles, ReplacingAsksAndCancelStopsWithTheOldFileIntact) {
  operation.Options = foSilent;
  operation.SourceFiles = {Path("src/UNLHA32.DLL")};
  operation.DestFiles = {Path("dst")};
  boxes.Answer(IDCANCEL);
  EXPECT_FALSE(operation.Copy());
  EXPECT_EQ(Read("dst/UNLHA32.DLL"), "old library");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].flags, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes.Boxes()[0].text, "The file \"" + Path("dst/UNLHA32.DLL") +
                                       "\" already exists.\nDo you want to replace it?");
  boxes.Answer(IDNO);
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(Read("dst/UNLHA32.DLL"), "old library");
  boxes.Answer(IDYES);
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(Read("dst/UNLHA32.DLL"), "library");
}

TEST_F(FileOperationFiles, WildcardsFoldersAndCollisionNames) {
  operation.Options = foSilent | foRenameOnCollision | foNoConfirmMkdir;
  operation.SourceFiles = {Path("src/*")};
  operation.DestFiles = {Path("dst")};
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(Read("dst/Copy of UNLHA32.DLL"), "library");
  EXPECT_EQ(Read("dst/UNLHA32.DLL"), "old library");
  EXPECT_EQ(Read("dst/sub/inner.txt"), "inner");
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(Read("dst/Copy (2) of UNLHA32.DLL"), "library");

  // Files only, into a folder that is made after asking.
  operation.Options = foSilent | foFilesOnly;
  operation.DestFiles = {Path("more")};
  boxes.Answer(IDYES);
  EXPECT_TRUE(operation.Copy());
  EXPECT_EQ(boxes.Boxes().back().text,
            "The folder \"" + Path("more") + "\" does not exist.\nDo you want to create it?");
  EXPECT_EQ(QDir(Path("more")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList({"Setup.ini", "UNLHA32.DLL"}));
}

TEST_F(FileOperationFiles, MoveRenameAndDelete) {
  operation.Options = foSilent | foNoConfirmation;
  operation.SourceFiles = {Path("src/sub")};
  operation.DestFiles = {Path("dst")};
  EXPECT_TRUE(operation.Execute(FO_MOVE));
  EXPECT_FALSE(QFileInfo::exists(Path("src/sub")));
  EXPECT_EQ(Read("dst/sub/inner.txt"), "inner");

  operation.SourceFiles = {Path("src/Setup.ini")};
  operation.DestFiles = {Path("src/Game.ini")};
  EXPECT_TRUE(operation.Execute(FO_RENAME));
  EXPECT_EQ(Read("src/Game.ini"), "[Setup]\r\n");
  // Renaming onto an existing name fails and keeps both files.
  operation.SourceFiles = {Path("src/Game.ini")};
  operation.DestFiles = {Path("src/UNLHA32.DLL")};
  EXPECT_FALSE(operation.Execute(FO_RENAME));
  EXPECT_EQ(Read("src/UNLHA32.DLL"), "library");
  EXPECT_EQ(boxes.Boxes().size(), 1u);

  operation.SourceFiles = {Path("dst")};
  operation.DestFiles.clear();
  EXPECT_TRUE(operation.Execute(FO_DELETE));
  EXPECT_FALSE(QFileInfo::exists(Path("dst")));
}
