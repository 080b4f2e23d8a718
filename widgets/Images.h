#pragma once
// The program's own images: the menu and button glyphs, the three state icons, the
// application icon and the about box's animation.
#include <QIcon>
#include <QPixmap>

namespace Images {

// Glyphs by their index in the menu image list: 0 options, 1 exit, 2 delete, 3 convert,
// 4 paste, 5 add file, 6 add folder, 7 log, 8 select all, 9 help.
QIcon menuImage(int index);
// The state icons: 0 waiting, 1 converted, 2 failed.
QIcon statusImage(int state);
QIcon applicationIcon();
constexpr int AboutFrameCount = 4;
// A frame 32 by 32 pixels in the window's own units, drawn for a screen with the given
// device pixel ratio, so that a scaled desktop shows the whole frame, sharp.
QPixmap aboutFrame(int frame, qreal devicePixelRatio);

}
