#!/usr/bin/env python3
"""A local stand-in for the hotel-availability service, for demos and tests.

Answers the availability and hotel-information requests over HTTPS from a JSON file of hotels:

    /ean-services/rs/hotel/v3/avail?...&xml=<HotelRoomAvailabilityRequest>...
    /ean-services/rs/hotel/v3/info?...&xml=<HotelInformationRequest>...

A hotel with an "availabilityError" answers availability requests with the service's error reply; a hotel
that is not in the file gets a reply whose document element has no children. Listens on 127.0.0.1 only.
When it is ready it prints "listening on 127.0.0.1:PORT" (port 0 picks a free port).
"""

import argparse
import atexit
import datetime
import decimal
import http.server
import json
import os
import shutil
import signal
import ssl
import subprocess
import sys
import tempfile
import threading
import urllib.parse
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape, quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
AVAIL_PATH = "/ean-services/rs/hotel/v3/avail"
INFO_PATH = "/ean-services/rs/hotel/v3/info"
NS = 'xmlns:ns2="http://v3.hotel.wsapi.ean.com/"'
CENT = decimal.Decimal("0.01")


def element(name, text):
    return "<%s>%s</%s>" % (name, escape(str(text)), name)


def not_found(root):
    return '<ns2:%s %s/>' % (root, NS)


def error_reply(root, category, presentation, verbose):
    # The client reads the error texts by position: children 2 and 5 of the first child.
    return "<ns2:%s %s><EanWsError>%s</EanWsError>%s</ns2:%s>" % (
        root, NS,
        element("itineraryId", "-1") + element("handling", "RECOVERABLE") + element("category", category) +
        element("exceptionConditionId", "-1") + element("presentationMessage", presentation) +
        element("verboseMessage", verbose),
        element("customerSessionId", "0ABAA826-0000-0000-0000-000000000000"), root)


def parse_date(text):
    """The requests write dates as month/day/year, with or without leading zeros."""
    month, day, year = (int(p) for p in text.strip().split("/"))
    return datetime.date(year, month, day)


def nightly_rate(hotel, offer, night):
    rate = decimal.Decimal(offer["rate"])
    if night.weekday() in (4, 5):  # Friday and Saturday nights
        rate += decimal.Decimal(hotel.get("weekendExtra", "0"))
    return rate


def offer_xml(hotel, offer, arrival, nights, rooms):
    nightly = [nightly_rate(hotel, offer, arrival + datetime.timedelta(days=n)) for n in range(nights)]
    # One night keeps the rate as the file writes it ("99.5"); longer stays average to cents.
    average = nightly[0] if nights == 1 else (sum(nightly) / nights).quantize(CENT)
    base = (average * decimal.Decimal("1.10")).quantize(CENT)
    total = (sum(nightly) * rooms).quantize(CENT)
    # The client reads the rate by position: child 11 / 0 / 1, attribute 1. The room type is child 2,
    # the rate policy child 11 / 0 / 2 and the inventory child 11 / 0 / 6.
    chargeable = "<ChargeableRateInfo averageBaseRate=%s averageRate=%s commissionableUsdTotal=%s " \
                 "currencyCode=\"USD\" maxNightlyRate=%s nightlyRateTotal=%s surchargeTotal=\"0.00\" " \
                 "total=%s/>" % (quoteattr(str(base)), quoteattr(str(average)), quoteattr(str(total)),
                                 quoteattr(str(max(nightly))), quoteattr(str(sum(nightly))), quoteattr(str(total)))
    rate_info = ("<RateInfo priceBreakdown=\"true\" promo=\"false\" rateChange=\"false\">" +
                 "<RoomGroup><Room>%s</Room></RoomGroup>" % element("numberOfAdults", offer.get("adults", "2")) +
                 chargeable +
                 element("cancellationPolicy", offer.get("ratePolicy", "")) +
                 "<CancelPolicyInfoList/>" +
                 element("nonRefundable", "false") +
                 element("rateType", "MerchantStandard") +
                 element("currentAllotment", offer.get("inventory", "0")) +
                 "</RateInfo>")
    return "<HotelRoomResponse>%s</HotelRoomResponse>" % "".join([
        element("rateCode", offer.get("rateCode", "200000001")),
        element("roomTypeCode", offer.get("roomTypeCode", "100000001")),
        element("rateDescription", offer["roomType"]),
        element("roomTypeDescription", offer["roomType"]),
        element("supplierType", "E"),
        element("propertyId", offer.get("propertyId", "1")),
        "<BedTypes size=\"1\"><BedType id=\"14\">%s</BedType></BedTypes>" % element("description", "1 king"),
        element("smokingPreferences", "NS"),
        element("rateOccupancyPerRoom", "2"),
        element("quotedOccupancy", "2"),
        element("minGuestAge", "0"),
        "<RateInfos size=\"1\">%s</RateInfos>" % rate_info,
    ])


def availability(hotels, request):
    root = "HotelRoomAvailabilityResponse"
    if request.tag != "HotelRoomAvailabilityRequest":
        return error_reply(root, "DATA_VALIDATION", "Unknown request.", "The request is not an availability request.")
    hotel_id = (request.findtext("hotelId") or "").strip()
    try:
        arrival = parse_date(request.findtext("arrivalDate") or "")
        departure = parse_date(request.findtext("departureDate") or "")
    except ValueError:
        return error_reply(root, "DATA_VALIDATION", "Please enter valid dates.",
                           "arrivalDate and departureDate must be dates written month/day/year.")
    if departure <= arrival:
        return error_reply(root, "DATA_VALIDATION", "The departure date must be after the arrival date.",
                           "departureDate %s is not after arrivalDate %s." % (departure, arrival))
    try:
        rooms = int(request.findtext("RoomGroup/Room/numberOfRooms") or "1")
    except ValueError:
        rooms = 1
    hotel = hotels.get(hotel_id)
    if hotel is None:
        return not_found(root)
    if "availabilityError" in hotel:
        e = hotel["availabilityError"]
        return error_reply(root, e["category"], e.get("presentationMessage", ""), e["verboseMessage"])
    nights = (departure - arrival).days
    parts = [
        element("customerSessionId", "0ABAA826-0000-0000-0000-000000000001"),
        element("hotelId", hotel_id),
        element("arrivalDate", arrival.strftime("%m/%d/%Y")),
        element("departureDate", departure.strftime("%m/%d/%Y")),
        element("hotelName", hotel["name"]),
        element("hotelAddress", hotel["address"]),
        element("hotelCity", hotel["city"]),
        element("hotelStateProvince", hotel["stateProvince"]),
        element("hotelCountry", hotel["country"]),
        element("numberOfRoomsRequested", rooms),
        element("checkInInstructions", hotel.get("checkInInstructions", "")),
        element("tripAdvisorRating", hotel["tripAdvisorRating"]),
        element("tripAdvisorReviewCount", hotel["tripAdvisorReviewCount"]),
    ]
    parts += [offer_xml(hotel, o, arrival, nights, rooms) for o in hotel.get("offers", [])]
    return "<ns2:%s %s size=\"%d\">%s</ns2:%s>" % (root, NS, len(hotel.get("offers", [])), "".join(parts), root)


def information(hotels, request):
    root = "HotelInformationResponse"
    if request.tag != "HotelInformationRequest":
        return error_reply(root, "DATA_VALIDATION", "Unknown request.", "The request is not an information request.")
    hotel_id = (request.findtext("hotelId") or "").strip()
    hotel = hotels.get(hotel_id)
    if hotel is None:
        return not_found(root)
    summary = "".join([
        element("hotelId", hotel_id),
        element("name", hotel["name"]),
        element("address1", hotel["address"]),
        element("city", hotel["city"]),
        element("stateProvinceCode", hotel["stateProvince"]),
        element("countryCode", hotel["country"]),
        element("tripAdvisorRating", hotel["tripAdvisorRating"]),
        element("tripAdvisorReviewCount", hotel["tripAdvisorReviewCount"]),
    ])
    details = element("checkInInstructions", hotel.get("checkInInstructions", ""))
    return "<ns2:%s %s hotelId=%s>%s<HotelSummary order=\"0\">%s</HotelSummary><HotelDetails>%s</HotelDetails>" \
           "</ns2:%s>" % (root, NS, quoteattr(hotel_id),
                          element("customerSessionId", "0ABAA826-0000-0000-0000-000000000002"), summary, details, root)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = 30  # a client that stalls does not keep a thread for good

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        answer = {AVAIL_PATH: availability, INFO_PATH: information}.get(url.path)
        if answer is None:
            self.send_error(404, "Not Found")
            return
        text = (urllib.parse.parse_qs(url.query, keep_blank_values=True).get("xml") or [""])[0]
        try:
            request = ET.fromstring(text)
        except ET.ParseError as e:
            root = "HotelRoomAvailabilityResponse" if answer is availability else "HotelInformationResponse"
            body = error_reply(root, "DATA_VALIDATION", "The request could not be read.", "xml: %s" % e)
        else:
            body = answer(self.server.hotels, request)
        data = ('<?xml version="1.0" encoding="UTF-8"?>\n' + body).encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "application/xml; charset=UTF-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, format, *args):
        if self.server.verbose:
            super().log_message(format, *args)


def make_certificate():
    folder = tempfile.mkdtemp(prefix="hotel-service-")
    atexit.register(shutil.rmtree, folder, True)
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                    "-nodes", "-keyout", key, "-out", cert, "-days", "30", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def main():
    parser = argparse.ArgumentParser(description="Local stand-in for the hotel-availability service.")
    parser.add_argument("--port", type=int, default=8443, help="port on 127.0.0.1 (0: any free port)")
    parser.add_argument("--hotels", default=os.path.join(HERE, "hotels.json"), help="JSON file of hotels")
    parser.add_argument("--cert", help="certificate (PEM); made at start when not given")
    parser.add_argument("--key", help="private key of the certificate (PEM)")
    parser.add_argument("--verbose", action="store_true", help="log every request")
    parser.add_argument("--stop-on-eof", action="store_true",
                        help="stop when standard input closes (a test's stand-in ends with its test)")
    args = parser.parse_args()
    if bool(args.cert) != bool(args.key):
        parser.error("--cert and --key go together")

    with open(args.hotels, encoding="utf-8") as f:
        hotels = json.load(f)["hotels"]
    cert, key = (args.cert, args.key) if args.cert else make_certificate()

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    # The handshake runs in the request's own thread, so a client that never speaks TLS blocks no one else.
    server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    server.hotels = hotels
    server.verbose = args.verbose

    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    if args.stop_on_eof:
        def watch():
            sys.stdin.read()
            server.shutdown()
        threading.Thread(target=watch, daemon=True).start()
    print("listening on 127.0.0.1:%d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except (KeyboardInterrupt, SystemExit):
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
