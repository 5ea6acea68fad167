#include "core/atomic_file.h"
#include "core/file_utils.h"
#include "core/image_file.h"
#include "core/material_folders.h"
#include "platform/rtp_generator/rtp_materials.h"

const std::vector<TGeneratedImage>& GeneratedImages() {
  static const std::vector<TGeneratedImage> images = {
      {"Backdrop", RtpName::Backdrop, DrawBackdrop},
      {"Battle", RtpName::Battle, DrawBattleGraphic},
      {"CharSet", RtpName::CharSet, DrawCharSet},
      {"ChipSet", RtpName::ChipSet, DrawChipSet},
      {"FaceSet", RtpName::FaceSet, DrawFaceSet},
      {"GameOver", RtpName::GameOver, DrawGameOver},
      {"Monster", RtpName::Monster, DrawMonster},
      {"Panorama", RtpName::Panorama, DrawPanorama},
      {"System", RtpName::System, DrawSystemGraphic},
      {"Title", RtpName::Title, DrawTitle},
  };
  return images;
}

void WriteRuntimePackage(const std::string& folder) {
  const std::string root = IncludeTrailingBackslash(folder);
  for (const char* name : MaterialFolderNames)
    ForceDirectories(root + name);
  for (const TGeneratedImage& image : GeneratedImages())
    SaveBitmapToImageFile(image.Draw(), root + image.Folder + "/" + image.Name + ".png");
  WriteFileAtomically(root + "Sound/" + RtpName::Sound + ".wav", SynthesizeChimeWave());
  WriteFileAtomically(root + "Music/" + RtpName::Music + ".mid", ComposeThemeMidi());
}
