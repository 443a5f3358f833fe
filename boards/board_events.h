#pragma once
// What the report decoder hands on. The module host implements TBoardEvents
// to reach the running modules and the encoder table; the editor's test and
// bootloader windows implement TBoardWindows. Every text is a view into a
// buffer that lives for the call only: nothing is allocated per event.

#include <cstdint>
#include <string_view>

namespace veltran {

struct ThidComponent;

class TBoardEvents {
public:
    virtual ~TBoardEvents() = default;
    // Before the input events of a group whose bit string changed: step every
    // encoder on this board name whose two inputs differ between the strings
    // (an unknown previous state is a string of '-').
    virtual void feed_encoders(std::string_view board, std::string_view old_inputs,
                               std::string_view new_inputs) = 0;
    // OnInputChange(board, input, value): one changed input, 1-based; value '0' or '1'.
    virtual void input_changed(std::string_view board, int input, char value) = 0;
    // OnInputChangeAll(board, inputs): once per changed group, after its input events.
    virtual void all_inputs_changed(std::string_view board, std::string_view inputs) = 0;
    // OnADCChange(board, axis, value): one changed axis, 1-based.
    virtual void adc_changed(std::string_view board, int axis, std::int32_t value) = 0;
};

class TBoardWindows {
public:
    virtual ~TBoardWindows() = default;
    // The input string of a board, expansion or joystick (`procesar_entradas`).
    virtual void inputs_arrived(std::string_view board, std::string_view inputs) = 0;
    // An axis of a main, joystick or servo/ADC board (`procesar_adcs`).
    virtual void adc_arrived(std::string_view board, int axis, std::int32_t value) = 0;
    // The feedback report of a DC motor board (`procesar_adc`).
    virtual void motor_feedback(std::uint8_t feedback1, std::uint8_t feedback2) = 0;
    // A report of a board in bootloader mode, in its record's `lectura64` (`llegado_board`).
    virtual void bootloader_report(ThidComponent& board) = 0;
};

} // namespace veltran
