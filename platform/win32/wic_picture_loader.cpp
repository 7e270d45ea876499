#include "platform/win32/wic_picture_loader.h"

#include "platform/win32/wic_scaled_decode.h"

#include <filesystem>
#include <fstream>
#include <new>

#include "platform/failure.h"
#include "picture/picture_header.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_file_system.h"

namespace solvarine::win32 {
namespace {

// The program initialises COM on its thread; this keeps the loader usable from any thread too.
class ScopedComInit {
 public:
  ScopedComInit() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ScopedComInit() {
    if (SUCCEEDED(result_))
      ::CoUninitialize();
  }
  ScopedComInit(const ScopedComInit&) = delete;
  ScopedComInit& operator=(const ScopedComInit&) = delete;

 private:
  HRESULT result_;
};

class Loader {
 public:
  Loader(const std::string& path, double drawn_diagonal)
      : name_(path), file_(FullPathName(Widen(path))), drawn_diagonal_(drawn_diagonal) {}

  // Every failure names the file.
  Picture Load() {
    try {
      return Decode();
    } catch (const Failure& failure) {
      Fail(failure.what());
    } catch (const std::bad_alloc&) {
      Fail("not enough memory");
    }
  }

 private:
  Picture Decode() const {
    if (file_.empty())
      throw Failure(name_.empty() ? "no file name given" : "not a valid file name");
    const DWORD attributes = ::GetFileAttributesW(file_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
      throw Failure("no such file, " + ErrorText(::GetLastError()));
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
      throw Failure("it is a folder");
    // Wine's decoders would decode a forged size at once, past any check on the frame.
    const PictureHeader header = ReadHeader();
    if (header.size && !WithinPixelCap(header.size->width, header.size->height)) {
      throw Failure("the picture claims to be too large (" + std::to_string(header.size->width) +
                    " x " + std::to_string(header.size->height) + " pixels)");
    }
    ComPtr<IWICImagingFactory> factory;
    Check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(factory.put())),
          "the imaging component is not available");
    ComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromFilename(file_.c_str(), nullptr, GENERIC_READ,
                                             WICDecodeMetadataCacheOnDemand, decoder.put()),
          "not a readable picture file");
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.put()), "no picture frame");
    return DecodeUpright(*factory.get(), *frame.get(), header.orientation, drawn_diagonal_);
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw Failure("Cannot load the picture \"" + (file_.empty() ? name_ : Narrow(file_)) +
                  "\": " + reason);
  }

  PictureHeader ReadHeader() const {
    std::ifstream in(std::filesystem::path(file_), std::ios::binary);
    return ReadPictureHeader(in);
  }

  std::string name_;
  std::wstring file_;
  double drawn_diagonal_;
};

}  // namespace

Picture WicPictureLoader::LoadPicture(const std::string& path, double drawn_diagonal) {
  const ScopedComInit com;
  return Loader(path, drawn_diagonal).Load();
}

// Opened for its attributes only, so no other program's share mode stands in the way and nothing
// of the file's content is read. FAT keeps no change time: nothing could tell a copy over a file.
std::optional<FileStamp> WicPictureLoader::Stamp(const std::string& path) {
  const std::wstring file = FullPathName(Widen(path));
  if (file.empty())
    return std::nullopt;
  const HANDLE opened = ::CreateFileW(file.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  const UniqueKernelHandle handle(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
  BY_HANDLE_FILE_INFORMATION info{};
  FILE_BASIC_INFO times{};
  if (!handle || !::GetFileInformationByHandle(handle.get(), &info) ||
      !::GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &times, sizeof(times)) ||
      times.ChangeTime.QuadPart == 0) {
    return std::nullopt;
  }
  const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  return FileStamp{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                   join(info.nFileSizeHigh, info.nFileSizeLow),
                   static_cast<std::uint64_t>(times.LastWriteTime.QuadPart),
                   static_cast<std::uint64_t>(times.ChangeTime.QuadPart)};
}

}  // namespace solvarine::win32
