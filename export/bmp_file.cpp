#include "export/bmp_file.h"

#include <stdexcept>

#include "export/bmp_encoder.h"
#include "export/file_output.h"
#include "export/picture_pixels.h"

namespace quillane::exporting {

std::optional<SaveError> WritePictureAsBmp(const win::Picture& picture, const std::wstring& fileName,
                                           FileOutput& files) {
  try {
    return WriteWholeFile(files, fileName, EncodeBmp(ReadPicturePixels(picture)));
  } catch (const std::exception& failure) {
    return ErrorForException(failure);
  }
}

}  // namespace quillane::exporting
