// The waypoint file reader on any bytes: the table holds exactly the bytes
// read (the rest free and zero), a save and a load give the same 2800
// bytes, loading a file of these bytes equals decoding them, and the table
// operations keep to the run in use whatever the records hold.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "store/FileResult.h"
#include "store/SafeFile.h"
#include "store/WaypointFile.h"
#include "store/WaypointTable.h"

namespace trelvan {
namespace {

fuzz::ScratchFolder& Folder() {
  static fuzz::ScratchFolder folder;
  return folder;
}

std::string_view Bytes(const WaypointTable& table) {
  return std::string_view(reinterpret_cast<const char*>(table.data()), sizeof table);
}

void CheckTableOperations(const WaypointTable& decoded) {
  const int count = CountInUse(decoded);
  fuzz::Check(count >= 0 && count <= kWaypointCapacity, "count of the run in use");
  for (int i = 0; i < count; ++i) {
    const std::string_view name = WaypointName(decoded[i]);
    fuzz::Check(name.size() <= static_cast<std::size_t>(kMaxNameLength), "name length");
    const int found = FindByName(decoded, name);
    fuzz::Check(found >= 0 && found <= i, "a listed name is found at or before its record");
  }
  const int free = FirstFree(decoded);
  fuzz::Check(free == (count == kWaypointCapacity ? -1 : count), "first free record");

  char fresh[kNameField];
  MakeFreeName(decoded, 1, fresh);
  fuzz::Check(std::memchr(fresh, '\0', sizeof fresh) != nullptr, "free name has its zero byte");
  fuzz::Check(FindByName(decoded, fresh) == -1, "free name is not in use");

  if (count > 0) {
    WaypointTable table = decoded;
    DeleteWaypoint(table, count / 2);
    fuzz::Check(CountInUse(table) == count - 1, "delete shortens the run by one");
  }
}

}  // namespace
}  // namespace trelvan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace trelvan;
  WaypointTable decoded;
  DecodeWaypoints(data, size, decoded);
  const std::size_t kept = size < kWaypointFileSize ? size : kWaypointFileSize;
  const std::string_view image = Bytes(decoded);
  fuzz::Check(image.substr(0, kept) == std::string_view(reinterpret_cast<const char*>(data), kept),
              "decoded table holds the bytes read");
  fuzz::Check(image.find_first_not_of('\0', kept) == std::string_view::npos,
              "records beyond a short file are zero");

  CheckTableOperations(decoded);

  const fuzz::ScratchFolder& folder = Folder();
  fuzz::Check(SaveWaypoints(folder.Path(), decoded), "save");
  fuzz::Check(fuzz::ReadWhole(folder.File(kWaypointFileName)) == image,
              "the file holds the table byte for byte");
  WaypointTable loaded;
  fuzz::Check(LoadWaypoints(folder.Path(), loaded) == LoadResult::kRead, "load after save");
  fuzz::Check(Bytes(loaded) == image, "save then load gives identical bytes");

  fuzz::Check(ReplaceFile(folder.Path(), kWaypointFileName, data, size), "write raw file");
  fuzz::Check(LoadWaypoints(folder.Path(), loaded) == LoadResult::kRead, "load raw file");
  fuzz::Check(Bytes(loaded) == image, "loading a file equals decoding its bytes");
  return 0;
}
