#pragma once
// What crosses the serial line: command frames, reply markers, the decoding
// of read replies, and the percent <-> byte conversion of brightness values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zuzo {

// Command codes.
constexpr std::uint8_t CMD_STATUS = 0x80;
constexpr std::uint8_t CMD_READ_OPTICS_A = 0x87;
constexpr std::uint8_t CMD_READ_OPTICS_B = 0x88;
constexpr std::uint8_t CMD_READ_OPTICS_C = 0x89;
constexpr std::uint8_t CMD_WRITE_OPTICS_A = 10;
constexpr std::uint8_t CMD_WRITE_OPTICS_B = 11;
constexpr std::uint8_t CMD_BRIGHTNESS_PREVIEW = 9;

constexpr std::int32_t DEVICE_TYPE_CODE = 25; // status byte 1 of a supported device

constexpr std::size_t kReadFrameLength = 9;                    // 3 pairs, checksum pair, CR
constexpr std::size_t kWriteFrameLength = 29;                  // 13 pairs, checksum pair, CR
constexpr std::size_t kReplyDataLength = 22;                   // 10 data pairs and a checksum pair
constexpr std::size_t kReadReplyLength = kReplyDataLength + 4; // data, "on#", CR
constexpr std::size_t kWriteReplyLength = 4;                   // "on#", CR

// The ten data bytes of a read reply, numbered 1..10 as the device's tables
// number them. What they mean is decoded where they are read
// (status_reply.h, optics_bytes.h).
struct ReplyBytes {
    std::array<std::uint8_t, 10> data{}; // data[0] is byte 1
    [[nodiscard]] constexpr std::uint8_t byte(std::size_t number) const { return data[number - 1]; }
    bool operator==(const ReplyBytes&) const = default;
};

// The twelve parameter bytes of a write command.
using WriteParams = std::array<std::uint8_t, 12>;

// Upper-case hexadecimal, padded with "0" to two characters.
[[nodiscard]] std::string hex_pair(std::uint8_t value);

// Sum of the character codes modulo 256.
[[nodiscard]] std::uint8_t text_checksum(std::string_view text);

// "<3 pairs><checksum pair>\r" and "<13 pairs><checksum pair>\r".
[[nodiscard]] std::string read_frame(std::uint8_t code, std::uint8_t p1, std::uint8_t p2);
[[nodiscard]] std::string write_frame(std::uint8_t code, const WriteParams& params);

// Occurrences of the four reply markers in a collected text.
struct MarkerCounts {
    int on = 0; // "on#": command accepted
    int os = 0; // "os#": the microcontroller's EEPROM is damaged
    int ol = 0; // "ol#": the external EEPROM is damaged
    int of = 0; // "of#": a reply, but the command failed
    bool operator==(const MarkerCounts&) const = default;
};
[[nodiscard]] MarkerCounts count_markers(std::string_view text);

// The value of one hexadecimal digit, either letter case; -1 for any other
// character.
[[nodiscard]] int hex_digit(char c);

// Two characters read as a hexadecimal number, either letter case; a
// character that is not a hex digit ends the number ("1G" = 1, "G1" = 0).
[[nodiscard]] std::int32_t hex_pair_value(char high, char low);

enum class ReplyDecode { Ok, WrongLength, BadChecksum };

// The data part of a read reply: LF and CR removed, the text before the first
// "o"; exactly 22 characters whose last pair is the checksum of the first 20.
// On Ok, out receives the ten data bytes; otherwise it is left as it was.
[[nodiscard]] ReplyDecode decode_read_reply(std::string_view text, ReplyBytes& out);

// Brightness travels as a byte: byte = percent x 2.55 and percent = byte /
// 2.55, in double precision, rounded to the nearest integer, ties to even.
// Nothing is limited here: callers send only 0..100 % (optics_range.h).
[[nodiscard]] std::int32_t percent_to_byte(std::int32_t percent);
[[nodiscard]] std::int32_t byte_to_percent(std::int32_t byte);

} // namespace zuzo
