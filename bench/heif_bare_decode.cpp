// The reference of the HEIC benchmarks: libheif with libde265 decoding a
// file's primary image into interleaved RGB on one thread, and nothing else.
#include <libheif/heif.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  heif_context* context = heif_context_alloc();
  heif_context_set_max_decoding_threads(context, 1);
  heif_image_handle* handle = nullptr;
  heif_image* image = nullptr;
  const bool decoded = heif_context_read_from_file(context, argv[1], nullptr).code == heif_error_Ok &&
                       heif_context_get_primary_image_handle(context, &handle).code == heif_error_Ok &&
                       heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr)
                               .code == heif_error_Ok;
  heif_image_release(image);
  heif_image_handle_release(handle);
  heif_context_free(context);
  return decoded ? 0 : 1;
}
