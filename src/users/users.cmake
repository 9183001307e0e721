# Sign-up requests and their approval, and the user's own profile and house statistics windows.
target_sources(tavolin_ui PRIVATE
    users/fUser_Signup.cpp users/fUser_Signup.h
    users/fUser_Approve.cpp users/fUser_Approve.h
    app/fMyProfile.cpp app/fMyProfile.h
    app/fHotelStatistics.cpp app/fHotelStatistics.h
)
