#include "monkey_host.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "../support/read_file.h"
#include "game/state_file.h"

namespace kx::monkey {

namespace {

namespace fs = std::filesystem;

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

}  // namespace

std::vector<std::string> SavedGameNames() {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (IsSavedGameName(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

constexpr const char* kPictures[] = {"photo.jpg", "small.jpg", "progressive.jpg"};

}  // namespace

void PlaceMonkeyPictures() {
  const std::string data = KX_TEST_DATA_DIR;
  fs::copy_file(data + "/symbols/photo_1024x768.jpg", kPictures[0], fs::copy_options::overwrite_existing);
  fs::copy_file(data + "/pictures/s420.jpg", kPictures[1], fs::copy_options::overwrite_existing);
  fs::copy_file(data + "/pictures/progressive.jpg", kPictures[2], fs::copy_options::overwrite_existing);
  // A bitmap that calls itself a JPEG.
  fs::copy_file(data + "/pictures/rgb24.bmp", "bitmap.jpg", fs::copy_options::overwrite_existing);
}

BoxAnswer MonkeyHost::ShowMessageBox(const MessageBoxRequest& request) {
  ++boxes;
  switch (request.buttons) {
    case BoxButtons::Ok: return BoxAnswer::Ok;
    case BoxButtons::YesNo: return choices_.Below(5) < 3 ? BoxAnswer::Yes : BoxAnswer::No;
    case BoxButtons::YesNoCancel: {
      const BoxAnswer answers[] = {BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Cancel};
      return answers[choices_.Below(3)];
    }
  }
  return DefaultBoxAnswer(request);
}

std::optional<std::string> MonkeyHost::ChooseFileToOpen(const OpenFileRequest& request) {
  if (choices_.OneIn(5)) {
    lastChoice = Choice::Cancelled;
    return std::nullopt;
  }
  return request.filter.find("kxs") != std::string::npos ? ChooseSavedGame() : ChoosePicture();
}

std::string MonkeyHost::ChooseSavedGame() {
  const std::vector<std::string> games = SavedGameNames();
  switch (choices_.Weighted({40, 35, 10, 15})) {
    case 0:
      if (!games.empty()) {
        lastChoice = Choice::Good;
        return games[choices_.Below(static_cast<uint32_t>(games.size()))];
      }
      [[fallthrough]];
    case 1: {
      const std::string source = games.empty() ? std::string(kStateFileName) : games[choices_.Below(
                                                                                   static_cast<uint32_t>(games.size()))];
      const std::string name = "SuDoKu_damaged_" + std::to_string(damagedFiles_++ % 4) + ".kxs";
      Damaged(source, name);
      lastChoice = Choice::Damaged;
      return name;
    }
    case 2: lastChoice = Choice::Missing; return "SuDoKu_missing.kxs";
    default: {
      lastChoice = Choice::WrongName;
      const char* names[] = {"sudoku_x.kxs", "SuDoKu_a.b.kxs", "SuDoKu_x.kxs.bak", "REZodaru.ini", "photo.jpg"};
      return names[choices_.Below(5)];
    }
  }
}

std::string MonkeyHost::ChoosePicture() {
  switch (choices_.Weighted({45, 30, 10, 15})) {
    case 0: lastChoice = Choice::Good; return kPictures[choices_.Below(3)];
    case 1: {
      const std::string name = "damaged_" + std::to_string(damagedFiles_++ % 4) + ".jpg";
      Damaged(kPictures[choices_.Below(3)], name);
      lastChoice = Choice::Damaged;
      return name;
    }
    case 2: lastChoice = Choice::Missing; return "missing.jpg";
    default: {
      lastChoice = Choice::WrongName;
      const char* names[] = {"bitmap.jpg", "REZodaru.ini", "."};
      return names[choices_.Below(3)];
    }
  }
}

std::string MonkeyHost::Damaged(const std::string& source, const std::string& name) {
  std::string bytes = test::ReadFile(source);
  const auto at = [&] { return choices_.Below(static_cast<uint32_t>(bytes.size())); };
  switch (bytes.empty() ? 3 : choices_.Below(4)) {
    case 0:  // cut short
      bytes.resize(at());
      break;
    case 1:  // a few bytes flipped
      for (int i = 1 + static_cast<int>(choices_.Below(8)); i > 0; --i) bytes[at()] ^= static_cast<char>(1 + choices_.Below(255));
      break;
    case 2:  // one aligned word replaced, often a count or a record field
      if (bytes.size() >= 4) {
        const size_t word = at() & ~size_t{3};
        const uint32_t values[] = {0, 1, 0xFFFFFFFF, 0x7FFFFFFF, 100001, 180, choices_.Below(0xFFFFFFFF)};
        const uint32_t v = values[choices_.Below(7)];
        for (size_t k = 0; k < 4 && word + k < bytes.size(); ++k) bytes[word + k] = static_cast<char>(v >> (8 * k));
      }
      break;
    default:  // anything at all
      bytes.assign(choices_.Below(2000), '\0');
      for (char& c : bytes) c = static_cast<char>(choices_.Below(256));
      break;
  }
  WriteAll(name, bytes);
  return bytes;
}

}  // namespace kx::monkey
