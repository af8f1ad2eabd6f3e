#pragma once

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace Nerolith::Cli {

// A field that holds the wrong kind of number; the message names the field
// and the value.
class JsonFieldError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads numbers out of JSON objects the way every input file is read: an
// integer field holds a whole number in its type's range, a number field a
// finite number; anything else is a JsonFieldError, never a silent
// conversion.
class JsonFields {
public:
    template <typename T>
    static T Integer(const nlohmann::json& object, const char* key)
    {
        return IntegerValue<T>(object.at(key), key);
    }
    template <typename T>
    static T IntegerOr(const nlohmann::json& object, const char* key, T fallback)
    {
        return object.contains(key) ? IntegerValue<T>(object.at(key), key) : fallback;
    }
    static double Number(const nlohmann::json& object, const char* key) { return NumberValue(object.at(key), key); }
    static double NumberOr(const nlohmann::json& object, const char* key, double fallback)
    {
        return object.contains(key) ? NumberValue(object.at(key), key) : fallback;
    }
    static double NumberValue(const nlohmann::json& value, const std::string& what);

    template <typename T>
    static T IntegerValue(const nlohmann::json& value, const std::string& what)
    {
        constexpr auto lowest = static_cast<long double>(std::numeric_limits<T>::lowest());
        constexpr auto highest = static_cast<long double>(std::numeric_limits<T>::max());
        long double number = 0;
        if (value.is_number_unsigned()) {
            number = static_cast<long double>(value.get<std::uint64_t>());
        } else if (value.is_number_integer()) {
            number = static_cast<long double>(value.get<std::int64_t>());
        } else {
            Refuse(value, what, "a whole number");
        }
        if (number < lowest || number > highest) {
            Refuse(value, what,
                   "a whole number from " + std::to_string(std::numeric_limits<T>::lowest()) + " to " +
                       std::to_string(std::numeric_limits<T>::max()));
        }
        return static_cast<T>(number);
    }

private:
    [[noreturn]] static void Refuse(const nlohmann::json& value, const std::string& what, const std::string& wanted);
};

} // namespace Nerolith::Cli
