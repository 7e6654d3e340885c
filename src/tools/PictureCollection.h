#pragma once

namespace noctavo {

class AstBody;

// Whether the picture collection beside the program holds a picture of the
// object. The collection and the Picture window that shows it come later;
// until then no object has a picture, which the sky map draws in the plain
// NGC colour and the popup menus treat as "no picture".
bool PictureFindForObject(const AstBody& object);

}  // namespace noctavo
