// imagegen: the program's pictures from text. Bitmaps and the small icon are
// drawn as character art (resources/art/*.txt); the larger icon sizes are
// drawn here by shapes, supersampled, so every size stays sharp. Run it after
// changing a picture: imagegen <art folder> <output folder>. The outputs are
// committed, and a test checks that they are what this program makes.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct RGBA {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Image {
  int width = 0, height = 0;
  std::vector<RGBA> pixels;  // top row first
  RGBA& At(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
  const RGBA& At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Put32BigEndian(Bytes& b, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back(static_cast<uint8_t>(v >> shift));
}

// --- character art ----------------------------------------------------------

Image ReadArt(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  Image image;
  std::map<char, RGBA> palette;
  std::string line;
  bool bPixels = false;
  int y = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (bPixels) {
      if (static_cast<int>(line.size()) != image.width || y >= image.height)
        throw std::runtime_error(path + ": row " + std::to_string(y) + " has the wrong size");
      for (int x = 0; x < image.width; ++x) {
        auto it = palette.find(line[static_cast<size_t>(x)]);
        if (it == palette.end()) throw std::runtime_error(path + ": unknown colour " + line[x]);
        image.At(x, y) = it->second;
      }
      ++y;
      continue;
    }
    std::istringstream words(line);
    std::string word;
    words >> word;
    if (word == "size") {
      words >> image.width >> image.height;
      image.pixels.assign(static_cast<size_t>(image.width * image.height), RGBA{});
    } else if (word == "color") {
      std::string key, value;
      words >> key >> value;
      RGBA c;
      if (value != "transparent") {
        const unsigned long v = std::stoul(value, nullptr, 16);
        c = RGBA{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                 static_cast<uint8_t>(v), 255};
      }
      palette[key[0]] = c;
    } else if (word == "pixels") {
      bPixels = true;
    }
  }
  if (y != image.height) throw std::runtime_error(path + ": too few rows");
  return image;
}

// --- the icon drawn by shapes ---------------------------------------------

// Coverage of a rounded rectangle at a point, all in units of the icon side.
bool InRoundedRect(double x, double y, double l, double t, double r, double b, double radius) {
  if (x < l || x > r || y < t || y > b) return false;
  const double cx = x < l + radius ? l + radius : (x > r - radius ? r - radius : x);
  const double cy = y < t + radius ? t + radius : (y > b - radius ? b - radius : y);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// The colour of the icon at a point of the unit square; alpha 0 outside.
RGBA IconColourAt(double x, double y) {
  const RGBA kBoardEdge{92, 58, 26, 255}, kBoard{155, 106, 53, 255}, kPaperEdge{170, 170, 170, 255},
      kPaper{255, 255, 255, 255}, kLine{58, 110, 165, 255}, kClipEdge{90, 98, 112, 255},
      kClip{200, 206, 216, 255};
  // The clip stands over the board and the paper.
  if (InRoundedRect(x, y, 0.34, 0.03, 0.66, 0.20, 0.05)) {
    if ((x - 0.5) * (x - 0.5) + (y - 0.085) * (y - 0.085) <= 0.028 * 0.028) return kClipEdge;
    return InRoundedRect(x, y, 0.36, 0.05, 0.64, 0.18, 0.035) ? kClip : kClipEdge;
  }
  if (InRoundedRect(x, y, 0.24, 0.20, 0.76, 0.88, 0.015)) {
    if (!InRoundedRect(x, y, 0.255, 0.215, 0.745, 0.865, 0.01)) return kPaperEdge;
    const double lines[][2] = {{0.36, 0.68}, {0.47, 0.64}, {0.58, 0.68}, {0.69, 0.56}};
    for (const auto& line : lines) {
      const double top = &line == &lines[0] ? 0.33 : 0.33 + 0.11 * (&line - &lines[0]);
      if (y >= top && y <= top + 0.05 && x >= 0.32 && x <= line[1]) return kLine;
    }
    return kPaper;
  }
  if (InRoundedRect(x, y, 0.12, 0.10, 0.88, 0.96, 0.08))
    return InRoundedRect(x, y, 0.15, 0.13, 0.85, 0.93, 0.06) ? kBoard : kBoardEdge;
  return RGBA{};
}

// Each pixel is the average of 4 x 4 samples, colour weighted by coverage.
Image DrawIcon(int size) {
  Image image{size, size, std::vector<RGBA>(static_cast<size_t>(size * size))};
  const int kSamples = 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const RGBA c =
              IconColourAt((x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size);
          const double w = c.a / 255.0;
          r += c.r * w;
          g += c.g * w;
          b += c.b * w;
          a += w;
        }
      }
      RGBA& p = image.At(x, y);
      if (a > 0) {
        p.r = static_cast<uint8_t>(std::lround(r / a));
        p.g = static_cast<uint8_t>(std::lround(g / a));
        p.b = static_cast<uint8_t>(std::lround(b / a));
      }
      p.a = static_cast<uint8_t>(std::lround(255.0 * a / (kSamples * kSamples)));
    }
  }
  return image;
}

// --- file formats -------------------------------------------------------------

// A 24-bit Windows bitmap: rows bottom-up, each padded to four bytes.
Bytes Bitmap24(const Image& image) {
  const uint32_t stride = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
  const uint32_t dataSize = stride * static_cast<uint32_t>(image.height);
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, 14 + 40 + dataSize);
  Put32(b, 0);
  Put32(b, 14 + 40);
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(image.width));
  Put32(b, static_cast<uint32_t>(image.height));
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);
  Put32(b, dataSize);
  Put32(b, 2835);  // 72 dots per inch
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const RGBA& p = image.At(x, y);
      b.insert(b.end(), {p.b, p.g, p.r});
    }
    for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < stride; ++pad) b.push_back(0);
  }
  return b;
}

// An icon image in the bitmap form: 32-bit BGRA bottom-up, then the 1-bit
// mask (set where transparent), the header's height counting both.
Bytes IconBitmap(const Image& image) {
  Bytes b;
  const uint32_t maskStride = ((static_cast<uint32_t>(image.width) + 31) / 32) * 4;
  Put32(b, 40);
  Put32(b, static_cast<uint32_t>(image.width));
  Put32(b, static_cast<uint32_t>(image.height) * 2);
  Put16(b, 1);
  Put16(b, 32);
  Put32(b, 0);
  Put32(b, static_cast<uint32_t>(image.width * image.height) * 4 +
               maskStride * static_cast<uint32_t>(image.height));
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  for (int y = image.height - 1; y >= 0; --y)
    for (int x = 0; x < image.width; ++x) {
      const RGBA& p = image.At(x, y);
      b.insert(b.end(), {p.b, p.g, p.r, p.a});
    }
  for (int y = image.height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y).a == 0)
        row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

// Deflate with the fixed Huffman codes and greedy matches: small code, and
// flat-coloured pictures shrink to a few kilobytes.
class CDeflate {
 public:
  Bytes Compress(const Bytes& in) {
    PutBits(1, 1);  // the last block
    PutBits(1, 2);  // fixed codes
    std::vector<int> head(1 << 15, -1), prev(in.size(), -1);
    auto hash = [&](size_t i) { return ((in[i] << 10) ^ (in[i + 1] << 5) ^ in[i + 2]) & 0x7FFF; };
    size_t i = 0;
    while (i < in.size()) {
      int bestLength = 0, bestDistance = 0;
      if (i + 3 <= in.size()) {
        const int h = hash(i);
        int chain = 0;
        for (int j = head[h]; j >= 0 && i - j <= 32768 && chain < 64; j = prev[j], ++chain) {
          int length = 0;
          while (length < 258 && i + length < in.size() && in[j + length] == in[i + length])
            ++length;
          if (length > bestLength) {
            bestLength = length;
            bestDistance = static_cast<int>(i - j);
          }
        }
      }
      const size_t step = bestLength >= 3 ? static_cast<size_t>(bestLength) : 1;
      if (bestLength >= 3)
        PutMatch(bestLength, bestDistance);
      else
        PutLiteral(in[i]);
      for (size_t k = 0; k < step; ++k, ++i) {
        if (i + 3 > in.size()) continue;
        const int h = hash(i);
        prev[i] = head[h];
        head[h] = static_cast<int>(i);
      }
    }
    PutSymbol(256);
    if (m_nBits) m_out.push_back(static_cast<uint8_t>(m_bitBuffer));
    return m_out;
  }

 private:
  void PutBits(uint32_t value, int count) {
    m_bitBuffer |= value << m_nBits;
    m_nBits += count;
    while (m_nBits >= 8) {
      m_out.push_back(static_cast<uint8_t>(m_bitBuffer));
      m_bitBuffer >>= 8;
      m_nBits -= 8;
    }
  }
  // Huffman codes go most significant bit first.
  void PutCode(uint32_t code, int length) {
    uint32_t reversed = 0;
    for (int k = 0; k < length; ++k) reversed |= ((code >> k) & 1) << (length - 1 - k);
    PutBits(reversed, length);
  }
  void PutSymbol(int symbol) {
    if (symbol < 144)
      PutCode(0x30 + symbol, 8);
    else if (symbol < 256)
      PutCode(0x190 + symbol - 144, 9);
    else if (symbol < 280)
      PutCode(symbol - 256, 7);
    else
      PutCode(0xC0 + symbol - 280, 8);
  }
  void PutLiteral(uint8_t byte) { PutSymbol(byte); }
  void PutMatch(int length, int distance) {
    static const int kLengthBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const int kDistanceBase[] = {
        1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
        193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int l = 28;
    while (kLengthBase[l] > length) --l;
    PutSymbol(257 + l);
    PutBits(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    int d = 29;
    while (kDistanceBase[d] > distance) --d;
    PutCode(static_cast<uint32_t>(d), 5);
    PutBits(static_cast<uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
  }

  Bytes m_out;
  uint32_t m_bitBuffer = 0;
  int m_nBits = 0;
};

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
  Put32BigEndian(png, static_cast<uint32_t>(data.size()));
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  png.insert(png.end(), body.begin(), body.end());
  Put32BigEndian(png, Crc32(body.data(), body.size()));
}

// The 256-pixel icon image as PNG, which Windows reads in icon files.
Bytes Png(const Image& image) {
  Bytes raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(1);  // filter "Sub": runs of one colour become runs of zeros
    for (int x = 0; x < image.width; ++x) {
      const RGBA& p = image.At(x, y);
      const RGBA left = x ? image.At(x - 1, y) : RGBA{};
      raw.insert(raw.end(),
                 {static_cast<uint8_t>(p.r - left.r), static_cast<uint8_t>(p.g - left.g),
                  static_cast<uint8_t>(p.b - left.b), static_cast<uint8_t>(p.a - left.a)});
    }
  }
  Bytes zlib{0x78, 0x01};
  const Bytes deflated = CDeflate().Compress(raw);
  zlib.insert(zlib.end(), deflated.begin(), deflated.end());
  uint32_t a = 1, b = 0;
  for (uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  Put32BigEndian(zlib, (b << 16) | a);

  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32BigEndian(header, static_cast<uint32_t>(image.width));
  Put32BigEndian(header, static_cast<uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", Bytes());
  return png;
}

Bytes IconFile(const std::vector<Image>& images) {
  std::vector<Bytes> bodies;
  for (const Image& image : images)
    bodies.push_back(image.width >= 256 ? Png(image) : IconBitmap(image));
  Bytes b;
  Put16(b, 0);
  Put16(b, 1);  // an icon
  Put16(b, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    b.push_back(static_cast<uint8_t>(images[i].width & 0xFF));  // 0 stands for 256
    b.push_back(static_cast<uint8_t>(images[i].height & 0xFF));
    b.push_back(0);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, static_cast<uint32_t>(bodies[i].size()));
    Put32(b, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const Bytes& body : bodies) b.insert(b.end(), body.begin(), body.end());
  return b;
}

void Write(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: imagegen <art folder> <output folder>\n");
    return 2;
  }
  const std::string art = std::string(argv[1]) + "/", out = std::string(argv[2]) + "/";
  try {
    for (const char* name : {"bookmark", "item", "smallitem"})
      Write(out + name + ".bmp", Bitmap24(ReadArt(art + name + ".txt")));
    const Image small = ReadArt(art + "icon16.txt");
    Write(out + "tray.ico", IconFile({small}));
    Write(out + "tansel.ico", IconFile({small, DrawIcon(32), DrawIcon(48), DrawIcon(256)}));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "imagegen: %s\n", e.what());
    return 1;
  }
  return 0;
}
