// The picture list: the description file's rules, the folder without a
// description, and the collection that comes with the program.
#include "tools/PictureCollection.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include "bodies/AstPlanet.h"
#include "bodies/AstSun.h"
#include "catalogues/NgcCatalogue.h"
#include "support/ShippedData.h"

namespace noctavo {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(PictureDescriptionFile, LinesSplitIntoAnUpperCaseKeyAndThreeFields) {
  struct Case {
    const char* line;
    const char* key;  // null: the line has no ':' and is refused
    const char* description;
    const char* type;
    const char* object;
  };
  const Case cases[] = {
      {"m42.jpg:Orion Nebula:NGC object:NGC 1976", "M42.JPG", "Orion Nebula", "NGC object", "NGC 1976"},
      {"Sun.Jpg:The Sun:Sun:Sun", "SUN.JPG", "The Sun", "Sun", "Sun"},
      {"a.jpg:only a description", "A.JPG", "", "", ""},  // fewer than two ':' after the name
      {"b.jpg:description:type", "B.JPG", "", "", ""},
      {"c.jpg:d:Galaxy:NGC 1:more", "C.JPG", "d", "Galaxy", "NGC 1:more"},
      {"d.jpg:::", "D.JPG", "", "", ""},
      {"no separator at all", nullptr, "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto parsed = parsePictureDescriptionLine(c.line);
    ASSERT_EQ(parsed.has_value(), c.key != nullptr);
    if (!parsed) continue;
    EXPECT_EQ(parsed->key, QString::fromLatin1(c.key));
    const PictureDescription fields = splitPictureDescription(parsed->rest);
    EXPECT_EQ(fields.description, c.description);
    EXPECT_EQ(fields.typeText, c.type);
    EXPECT_EQ(fields.objectName, c.object);
  }
}

class PictureFolder : public ::testing::Test {
 protected:
  PictureFolder() {
    for (const char* name : {"b.bmp", "A.JPG", "c.jpeg", "d.Jpg", "e.png", "f.jpg", "notes.txt"}) {
      writeFile(pictures().filePath(QString::fromLatin1(name)), "not a picture");
    }
  }
  QDir pictures() const { return QDir(folder_.path()); }
  QString descriptionFile() const { return folder_.filePath(QStringLiteral("Noctavo.pic")); }
  PictureList build() const { return buildPictureList(folder_.path(), descriptionFile()); }

  QTemporaryDir folder_;
};

TEST_F(PictureFolder, LinesDescribeAndLinkTheirFilesAndADamagedLineIsReportedOnce) {
  writeFile(descriptionFile(),
            "A.JPG:The Sun in white light:Sun:Sun\r\n"
            "B.BMP:short\n"
            "broken line\n"
            "also broken\n"
            "\n"
            "d.jpg:A galaxy:Galaxy:NGC 1\n"  // not a type: no object
            "f.jpg:Far out:Planet:Vulcan\n"  // no such planet: no object
            "c.jpeg:Red planet:Planet:mars");  // planet names in any case; no line end
  const PictureList list = build();
  EXPECT_EQ(list.messages, QStringList{QString::fromLatin1(pictureDescriptionReadError)});
  struct Row {
    const char* file;
    const char* type;
    const char* name;
    const char* description;
  };
  // Bitmaps first, then the JPEG files by name in any letter case; no PNG.
  const Row expected[] = {{"b.bmp", "Unknown", "Unknown", "b.bmp"},
                          {"A.JPG", "Sun", "Sun", "The Sun in white light"},
                          {"c.jpeg", "Planet", "Mars", "Red planet"},
                          {"d.Jpg", "Unknown", "Unknown", "A galaxy"},
                          {"f.jpg", "Unknown", "Unknown", "Far out"}};
  ASSERT_EQ(list.entries.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].file);
    const PictureEntry& entry = list.entries[i];
    EXPECT_EQ(entry.fileName, QString::fromLatin1(expected[i].file));
    EXPECT_EQ(entry.typeColumn(), QString::fromLatin1(expected[i].type));
    EXPECT_EQ(entry.nameColumn(), QString::fromLatin1(expected[i].name));
    EXPECT_EQ(entry.descriptionColumn(), QString::fromLatin1(expected[i].description));
  }
}

TEST_F(PictureFolder, WithoutADescriptionFileEveryPictureIsListedByItsNameAfterOneMessage) {
  const PictureList list = build();
  EXPECT_EQ(list.messages, QStringList{QString::fromLatin1(pictureDescriptionOpenError)});
  ASSERT_EQ(list.entries.size(), 5u);
  for (const PictureEntry& entry : list.entries) {
    SCOPED_TRACE(entry.fileName.toStdString());
    EXPECT_FALSE(entry.hasObject());
    EXPECT_EQ(entry.typeColumn(), QStringLiteral("Unknown"));
    EXPECT_EQ(entry.descriptionColumn(), entry.fileName);
  }
}

// The collection that comes with the program, over its catalogues.
class ShippedPictures : public testing::ShippedCatalogueTest {
 protected:
  void SetUp() override {
    ShippedCatalogueTest::SetUp();
    const QDir data(QString::fromStdString(testing::shippedDataFolder()));
    list_ = buildPictureList(data.filePath(QStringLiteral("PICTURES")), data.filePath(QStringLiteral("Noctavo.pic")));
    pictureCollection().setEntries(list_.entries);
    pictures_ = data.filePath(QStringLiteral("PICTURES"));
  }
  void TearDown() override { pictureCollection().clear(); }

  PictureList list_;
  QString pictures_;
};

TEST_F(ShippedPictures, EveryPictureIsDescribedLinkedAndReadable) {
  EXPECT_TRUE(list_.messages.isEmpty()) << list_.messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_GE(list_.entries.size(), 100u);
  int unlinked = 0;
  for (const PictureEntry& entry : list_.entries) {
    SCOPED_TRACE(entry.fileName.toStdString());
    EXPECT_NE(entry.description, entry.fileName);
    if (!entry.hasObject()) ++unlinked;
    QImageReader reader(QDir(pictures_).filePath(entry.fileName));
    EXPECT_TRUE(reader.canRead());
    EXPECT_TRUE(reader.size().isValid());
  }
  EXPECT_LT(unlinked, 10);
}

TEST_F(ShippedPictures, FindForObjectGivesTheFirstPictureOfTheObjectOrNone) {
  struct Case {
    const AstBody* object;
    const char* file;  // null: no picture
  };
  const Case cases[] = {
      {&theSun(), "sun.jpg"},
      {planetByName("Jupiter"), "jupiter.jpg"},
      {findNgcByName("NGC 1976"), "m42.jpg"},  // M 42
      {findNgcByName("NGC 224"), "m31.jpg"},   // M 31
      {findNgcByName("NGC 1"), nullptr},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.object, nullptr);
    SCOPED_TRACE(c.object->getName());
    int entry = 99;
    EXPECT_EQ(PictureFindForObject(*c.object, entry), c.file != nullptr);
    if (c.file) {
      EXPECT_EQ(pictureCollection().entry(entry)->fileName, QString::fromLatin1(c.file));
      // The first in list order, like a scan of the list.
      for (int earlier = 0; earlier < entry; ++earlier) {
        const PictureEntry* e = pictureCollection().entry(earlier);
        EXPECT_FALSE(e->objectType == c.object->getObjectType() && e->objectIndex == c.object->getIndex());
      }
    } else {
      EXPECT_EQ(entry, -1);
    }
  }
}

}  // namespace
}  // namespace noctavo
