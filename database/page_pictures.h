// Pictures the database pages share: the rank marks A to E beside per-rank values, and
// the 8-bit sheets made of pictures on transparency (the chipset page's labels).
#pragma once

class QLabel;
class TFormBuilder;
class TGlimraSheet;

inline constexpr int RankCount = 5;
inline constexpr const char* RankImageNames[RankCount] = {"Image1", "Image2", "Image3", "Image4",
                                                          "Image5"};

// The mark of Rank (0 = A .. 4 = E) as a label named Name.
QLabel* RankImage(TFormBuilder& b, int rank, const char* name);
// The resource picture File as an 8-bit transparent sheet of its size: index 0 where the
// picture is transparent, its colours from index 1 on, in the order they first appear.
void LoadPictureSheet(TGlimraSheet& sheet, const char* file);
