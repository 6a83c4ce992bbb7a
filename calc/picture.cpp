#include "picture.h"
namespace qeln {
std::string pictureToSvg(const Picture&) { return {}; }
}
