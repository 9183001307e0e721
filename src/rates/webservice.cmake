# Sources of this module are added to the libraries here.
target_sources(tavolin_core PRIVATE
    rates/HotelReply.cpp rates/HotelReply.h
    rates/HotelService.cpp rates/HotelService.h
)
