# The hotel-availability reply reader: any bytes as the text of a reply.
tavolin_fuzzer(fuzz_hotel_reply webservice/HotelReplyFuzzer.cpp)
