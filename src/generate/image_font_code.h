// The font and image loading code of CommonFile.pb, and the replacement of
// inline image loading calls in the form code by image constants.
#pragma once

#include "model/workspace.h"

namespace quillon {

// FontsCode: a title, every top-level font loading line as written, "".
void BuildFontsCode(Workspace& ws);

// Replaces the first image loading call of every form-code line by
// ImageID(<constant>). Files are matched ignoring case; an unknown file gets
// a new "#MyImage_<n>" constant (n counts from 0 in every call). A line with
// no quoted file name or no ")" after the call stays unchanged.
void ReplaceImageCalls(Workspace& ws);

// ImagesCode: the decoders the image files need, then either catch and
// include-binary lines (Image_Include on) or load lines.
void BuildImagesCode(Workspace& ws);

}  // namespace quillon
