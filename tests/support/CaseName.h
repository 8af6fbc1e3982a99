#pragma once

#include <cctype>
#include <string>

// Names parameterised tests after their case's `name`, anything but letters and digits as '_'.
struct CaseName
{
    template <typename Info>
    std::string operator()(const Info& info) const
    {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    }
};
